// Frame pacing on the high-resolution counter: the frame rate, and the wait that ends each present.
#pragma once

// Frames are presented at most rate + 1 times a second (40 gives 1/41 s); 0 turns pacing off. 1 on
// success, 0 without a high-resolution counter (nothing changes then).
int SetFrameRate(int rate);

// Ticks between two presents at `rate`; 0 for rate 0 or below, which means no pacing.
long long FramePeriodTicks(long long frequency, int rate);

// Waits until more than one frame period has passed since the end of the previous wait; the first
// wait after SetFrameRate lasts a full period. Returns at once while pacing is off.
void WaitForNextFrame();
