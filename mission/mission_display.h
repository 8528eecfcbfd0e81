// Frame slot 5: draws a mission frame from far to near and presents it.
#pragma once

// Draws background, world view (steering and arming the aliens as they are drawn), crosshair,
// cockpit and gauges, then presents the frame.
void DrawMissionFrame();

// The same picture drawn into the back buffer as the mission stands, without steering or arming the
// aliens and without presenting: the mission under the pause when none of its frames was shown.
void DrawMissionStill();
