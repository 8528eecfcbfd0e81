// Frame slot 5: draws a mission frame from far to near and presents it.
#pragma once

// Draws background, world view (steering and arming the aliens as they are drawn), crosshair,
// cockpit and gauges, then presents the frame.
void DrawMissionFrame();
