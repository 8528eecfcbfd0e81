// Inside the multimedia layer only: the frame period and the wait that ends each present.
#pragma once

// Ticks between two presents at `rate` (frames are shown at most rate + 1 times a second, so 40
// gives 1/41 s); 0 for rate 0 or below, which means no pacing.
long long FramePeriodTicks(long long frequency, int rate);

// Waits until more than one frame period has passed since the end of the previous wait; the first
// wait after SetFrameRate lasts a full period. Returns at once while pacing is off.
void WaitForNextFrame();
