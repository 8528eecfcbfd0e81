// The picture of a mission: background, the world view from far to near, crosshair, cockpit and
// gauges.
#pragma once

#include "mission/world.h"

// The moment a frame shows, beside the world itself.
struct FrameMoment {
  float t = 1.0f;    // how far the world has come from the previous step to the last, 0 to 1
  int pointerX = 0;  // the mouse pointer as the frame is drawn, screen pixels: its faint cross
  int pointerY = 0;
};

// Draws `world` into the back buffer as it stands at `moment.t` between the previous step and the
// last: whatever moves is blended (an object made in the last step stands where it is, a move of
// the fleet keeping counts from the next step); the shake, the gauges and the crosshair's
// visibility are the last step's. Changes nothing of the game's state.
void DrawWorld(const World& world, const FrameMoment& moment);

// Draws the mission's world at `t` with the pointer where it is now, and presents the frame.
void DrawMissionFrame(float t);

// The mission's world as the last frame showed it, drawn into the back buffer without presenting:
// the mission under the pause when none of its frames reached the screen.
void DrawMissionStill();
