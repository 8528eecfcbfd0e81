// The state of the game: the globals that the game flow and the mission procedures share,
// the debris array and the three object lists. World space: x right, y down, z depth in front of
// the ship; a point is drawn at 400 + (x - shipX) * 100 / z, 300 + (y - shipY) * 100 / z.
// Headings are in units of 57 per radian (not 57.2958); quad rotations are whole degrees.
#pragma once

#include <cstdint>

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
  float speedFactor;  // 3.0, 2.0 or 1.0 by type: moves drift * speedFactor per frame
  int hitPoints;      // destroyed at 0 or less
  int armed;          // 1 when its centre was on screen horizontally in the last drawn frame
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
  int spin;        // drawn rotation in degrees, +20 per frame
  float headingX;  // moves sin(headingX / 57) * 4000 along x per frame
  float headingY;  // moves sin(headingY / 57) * 3600 along y per frame
};

// One particle of an explosion.
struct Spark {
  float x;
  float y;
  float z;
  float velocity;  // step per frame; shrinks to 95 % each frame
  float size;      // world units; grows by 70 per frame
  float life;      // 200 to 255 at creation, -2 per frame; also its alpha
  float heading;   // 0 to 360 heading units: direction in the x-y plane (0 is up the screen)
  float climb;     // 0 to 360 heading units: drives the motion along z
};

// A rotating rock of the background.
struct Debris {
  int x;
  int y;
  int z;      // 3000 to 13000 in steps of 1000
  int size;   // world units; always 2000
  int angle;  // degrees
};

// ---- Switches kept for the whole run -------------------------------------------------------
extern int musicOn;  // 1 = the music loop (sound 5) plays
extern int soundOn;  // 1 = sound effects play

// ---- Flow ------------------------------------------------------------------------------------
extern int leaveLoop;   // 1 = leave the loop that runs (menu or mission)
extern int menuState;   // 0 main menu, 1 briefing, 2 highscore list, 9 name entry
extern int clickState;  // left button edge: 0 up, 1 pressed in this frame, 2 held

// ---- Outcome of the mission, read by the scoring ------------------------------------------------
extern int missionResult;     // 0 running or won, -1 aborted, 1 and more: destruction frames
extern int missionStartTime;  // tick count at the mission start, milliseconds
extern int score;             // points; 100 x type per destroyed alien
extern int shotsFired;        // shots counted by FireWeapon

// ---- The ship ------------------------------------------------------------------------------------
extern int hull;           // hull points, 4000 at the start; below 0 the ship is destroyed
extern float energy;       // weapon energy, 1330 at the start; regains 0.1 per frame below 50
extern int speed;          // world units per frame along x, never above 0
extern float shipX;        // world x of the viewpoint
extern float shipY;        // world y; sinks only during the destruction sequence
extern int approachPhase;  // 1 while the ship flies in and brakes
extern float musicVolume;  // fade-in of the music loop, 0 to 100
extern int weapon;         // 1 to 4
extern int gunSide;        // +1 or -1: side of the next weapon-2 shot
extern int nextShotTime;   // tick count before which no shot may be fired

// ---- Aim -----------------------------------------------------------------------------------------
extern int mouseX;  // mouse position sampled once per mission frame, screen pixels
extern int mouseY;
extern int aimX;  // crosshair, trailing the mouse by 10 pixels per frame and axis
extern int aimY;

// ---- Screen shake --------------------------------------------------------------------------------
extern int shakeFrames;    // frames of shake still to run
extern int shakeStrength;  // amplitude in pixels
extern int shakeOffsetX;   // current offset of the background and the world view, pixels
extern int shakeOffsetY;

// ---- Objects -------------------------------------------------------------------------------------
constexpr int kDebrisCount = 100;
extern int lastDebrisIndex;  // 99
extern Debris debris[kDebrisCount];
extern ObjectList<Alien> aliens;
extern ObjectList<Shot> shots;
extern ObjectList<Spark> sparks;

// Sets every global to its value before the first menu frame and empties the lists.
void ResetGameState();
