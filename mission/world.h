// The world of a mission, all that a frame draws: the ship with its gauges, the aim, the screen
// shake, and the objects. World space: x right, y down, z depth in front of the ship; a point is
// drawn at 400 + (x - shipX) * 100 / z, 300 + (y - shipY) * 100 / z. Headings are in units of 57
// per radian (not 57.2958); quad rotations are whole degrees.
//
// The game steps 41 times a second, and a frame between two steps draws what moves between its
// place after the previous step and its place now: every moving thing keeps the former beside the
// latter (BeginWorldStep copies them at the start of each step).
#pragma once

#include "base/ordered_list.h"

// Heading units per radian: sin(heading / kHeadingUnitsPerRadian). 57, not 57.2958: every
// heading of the game, AngleTo's result included, is counted in these units.
constexpr float kHeadingUnitsPerRadian = 57.0f;

// One of the alien ships that are the targets of a mission.
struct Alien {
  float x;            // world x
  float y;            // world y
  float z;            // depth
  float blastFactor;  // 1.0, 2.0 or 2.5 by type: scales the sparks of its destruction
  int width;          // hit box and drawn width in world units
  int height;         // hit box and drawn height in world units
  int quad;           // quad that draws it, type + 39 (40 to 42)
  float drift;        // sideways velocity before the type factor, -300 to +300 at creation
  float driftY;       // vertical velocity; always 0
  float speedFactor;  // 3.0, 2.0 or 1.0 by type: moves drift * speedFactor per step
  int hitPoints;      // destroyed at 0 or less
  int armed;          // 1 when its centre was on screen horizontally at the end of the last step
  // Where it was after the previous step; valid while hasPrevious is 1.
  float prevX;
  float prevY;
  float prevZ;
  int hasPrevious;  // 0 in the step that made it: drawn where it is
  float jumpY;      // the 200 units the fleet keeping moved it in this step: drawn from the next step
};

// A shot of the player (flying away) or of an alien (flying towards the viewer).
struct Shot {
  float x;
  float y;
  float z;
  int direction;   // +1 away (player), -1 towards the viewer (alien); 0 for a new player shot
  int width;       // world units; always 2000
  int height;      // world units; always 2000
  int quad;        // 11 to 14
  int spin;        // drawn rotation in degrees, +20 per step, 0 to 360
  float headingX;  // moves sin(headingX / 57) * 4000 along x per step
  float headingY;  // moves sin(headingY / 57) * 3600 along y per step
  // Where it was after the previous step; valid while hasPrevious is 1.
  float prevX;
  float prevY;
  float prevZ;
  int prevSpin;
  int hasPrevious;  // 0 in the step that fired it: drawn where it is
};

// One particle of an explosion.
struct Spark {
  float x;
  float y;
  float z;
  float velocity;  // step per step of the game; shrinks to 95 % each step
  float size;      // world units; grows by 70 per step
  float life;      // 200 to 255 at creation, -2 per step; also its alpha
  float heading;   // 0 to 360 heading units: direction in the x-y plane (0 is up the screen)
  float climb;     // 0 to 360 heading units: drives the motion along z
  // What it was after the previous step; valid while hasPrevious is 1.
  float prevX;
  float prevY;
  float prevZ;
  float prevSize;
  float prevLife;
  int hasPrevious;  // 0 in the step that made it: drawn as it is
};

// A rotating rock of the background. Its place changes only when it wraps around ahead of the
// ship, which is never blended; only its angle is.
struct Debris {
  int x;
  int y;
  int z;          // 3000 to 13000 in steps of 1000
  int size;       // world units; always 2000
  int angle;      // degrees
  int prevAngle;  // after the previous step
};

constexpr int kDebrisCount = 100;

// Every field starts at its value before the first menu frame; ResetGameState returns to them.
struct World {
  // ---- The ship ---------------------------------------------------------------------------------
  float shipX = 0.0f;      // world x of the viewpoint
  float shipY = 0.0f;      // world y; sinks only during the destruction sequence
  float prevShipX = 0.0f;  // the viewpoint after the previous step
  float prevShipY = 0.0f;
  int speed = 0;          // world units per step along x, never above 0
  int hull = 0;           // hull points, 4000 at the start; below 0 the ship is destroyed
  float energy = 0.0f;    // weapon energy, 1330 at the start; regains 0.1 per step below 50
  int approachPhase = 0;  // 1 while the ship flies in and brakes: no crosshair, no firing

  // ---- Aim --------------------------------------------------------------------------------------
  int mouseX = 0;    // mouse position sampled once per mission step, screen pixels 0 to 799
  int mouseY = 0;    // the same downwards, 0 to 599
  int aimX = 0;      // crosshair, trailing the mouse by 10 pixels per step and axis
  int aimY = 0;      // the same downwards
  int prevAimX = 0;  // the crosshair after the previous step
  int prevAimY = 0;

  // ---- Screen shake -----------------------------------------------------------------------------
  int shakeFrames = 0;    // steps of shake still to run
  int shakeStrength = 0;  // amplitude in pixels
  int shakeOffsetX = 0;   // current offset of the background and the world view, pixels
  int shakeOffsetY = 0;   // the same downwards

  // ---- Objects ----------------------------------------------------------------------------------
  int lastDebrisIndex = kDebrisCount - 1;  // 99
  Debris debris[kDebrisCount] = {};        // every field 0 until the first mission fills it
  ObjectList<Alien> aliens;                // the targets of a mission, in the order of their creation
  ObjectList<Shot> shots;                  // both sides' shots; those in flight fly on into the next mission
  ObjectList<Spark> sparks;                // particles of explosions
};

extern World world;

// The start of every mission step: whatever moves remembers where it is now as where it was after
// the previous step.
void BeginWorldStep();
