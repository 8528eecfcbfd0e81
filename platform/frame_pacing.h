// Frame pacing on the high-resolution counter: the frame rate, the wait for a frame's show, and the
// wait before its input is read (media/frame_schedule.h has the rules).
#pragma once

// Frames are presented at most rate + 1 times a second (40 gives 1/41 s); 0 turns pacing off. 1 on
// success, 0 without a high-resolution counter (nothing changes then). Starts the learning afresh.
int SetFrameRate(int rate);

// Ticks between two presents at `rate`; 0 for rate 0 or below, which means no pacing.
long long FramePeriodTicks(long long frequency, int rate);

// The game's word, before the coming frame polls input, that a frame reading its input `milliseconds`
// from now or later takes much longer to draw than most (a held trigger fires a volley then): such a
// frame reads its input as early as it needs.
void ExpectHeavyFrameIn(int milliseconds);

// Called by every input poll: the first after a present waits until the coming frame's input is
// due, as late as the recent frames' drawing times allow. Returns at once while pacing is off.
void WaitToReadInput();

// Called by PresentFrame before the show: waits until more than one frame period has passed since
// the previous show. Returns at once for the first frame after SetFrameRate and while pacing is off.
void WaitForNextFrame();

// Called by PresentFrame after the show: the present of the first frame after SetFrameRate, shown at
// once, lasts a full period, and the next frame comes a period after it. Returns at once otherwise.
void WaitAfterShow();
