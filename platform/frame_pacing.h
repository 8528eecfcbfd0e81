// Frame pacing and the game's steps on the monotonic clock: the step rate and the frame rate, the
// steps due, the fraction of a step a frame shows, the wait for a frame's show and the wait before
// its input is read (the rules: media/frame_schedule.h for frames, media/step_schedule.h for steps).
//
// The game steps at the rate SetFrameRate gives, and frames are shown at the display's rate, each
// drawing the world between the last two steps. In lockstep (a display rate of 0, the classic way)
// every frame runs one step and frames are paced at the step rate.
#pragma once

// Frames a second from the next SetFrameRate on, 0 for lockstep (SetDisplayFrameRate sets it).
void SetPacedFrameRate(int framesPerSecond);

// The game's steps come rate + 1 times a second (40 gives 41), the first at once; rate 0 turns all
// pacing off: every frame runs one step and is shown at once. Starts the steps and the learning of
// the frames' times afresh. 1 on success, 0 without a clock (nothing changes then).
int SetFrameRate(int rate);

// Ticks between two steps or presents at `rate` (rate + 1 a second); 0 for rate 0 or below.
long long FramePeriodTicks(long long frequency, int rate);

// The game's word, before the coming frame polls input, that a frame reading its input `milliseconds`
// from now or later takes much longer to draw than most (a held trigger fires a volley then): such a
// frame reads its input as early as it needs.
void ExpectHeavyFrameIn(int milliseconds);

// The steps the coming frame is to run: those due by the time it will be shown, at most four; 1 in
// lockstep, 0 while held. Waits for the frame's input time first, as the frame's first input poll
// would.
int TakeDueSteps();

// How far the current step will have come when the coming frame is shown: 0 shows the world of the
// previous step, 1 that of the last one. 1 in lockstep.
float StepFraction();

// While held (a pause) no step comes due and the fraction stands still; released, the steps go on
// from where they stood.
void HoldSteps(bool hold);

// Called by every input poll: the first after a present waits until the coming frame's input is
// due, as late as the recent frames' drawing times allow. Returns at once while pacing is off.
void WaitToReadInput();

// Called by PresentFrame before the show: waits until more than one frame period has passed since
// the previous show. Returns at once for the first frame after SetFrameRate and while pacing is off.
void WaitForNextFrame();

// Called by PresentFrame after the show: the present of the first frame after SetFrameRate, shown at
// once, lasts a full period, and the next frame comes a period after it. Returns at once otherwise.
void WaitAfterShow();
