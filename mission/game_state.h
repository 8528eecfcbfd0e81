// The state of the game: what the game flow and the mission procedures share, the debris array
// and the three object lists, gathered in one struct with one instance. World space: x right,
// y down, z depth in front of the ship; a point is drawn at 400 + (x - shipX) * 100 / z,
// 300 + (y - shipY) * 100 / z. Headings are in units of 57 per radian (not 57.2958); quad
// rotations are whole degrees.
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

constexpr int kDebrisCount = 100;

// The page the menu screen shows; the name-entry screen counts as page 9.
enum class MenuPage { kMain = 0, kBriefing = 1, kHighscoreList = 2, kNameEntry = 9 };

// How the last or the running mission stands: 0 while it runs and after it was won.
enum class MissionResult { kAborted = -1, kRunningOrWon = 0, kDestroyed = 1 };

// Every field starts at its value before the first menu frame; ResetGameState returns to them.
struct GameState {
  // ---- Switches kept for the whole run ----------------------------------------------------------
  int musicOn = 1;  // 1 = the music loop (sound 5) plays
  int soundOn = 1;  // 1 = sound effects play

  // ---- Flow -------------------------------------------------------------------------------------
  int leaveLoop = 0;                     // 1 = leave the loop that runs (menu or mission)
  MenuPage menuState = MenuPage::kMain;  // the page of the menu screen
  int clickState = 0;                    // left button edge: 0 up, 1 pressed in this frame, 2 held
  int pauseRequested = 0;  // 1: the mission pauses after this frame (P, Start, focus or controller lost)
  int triggerLocked = 0;   // 1: the trigger held as a pause ended; it fires only once let go

  // ---- Outcome of the mission, read by the scoring ----------------------------------------------
  MissionResult missionResult = MissionResult::kRunningOrWon;  // kept after the mission for the menu
  int destructionFrames = 0;  // frames of the destruction: 1 when the hull breaks; 401 ends it
  int missionStartTime = 0;   // tick count at the mission start, milliseconds
  int score = 0;              // points; 100 x type per destroyed alien
  int shotsFired = 0;         // shots counted by FireWeapon

  // ---- The ship ---------------------------------------------------------------------------------
  int hull = 0;              // hull points, 4000 at the start; below 0 the ship is destroyed
  float energy = 0.0f;       // weapon energy, 1330 at the start; regains 0.1 per frame below 50
  int speed = 0;             // world units per frame along x, never above 0
  float shipX = 0.0f;        // world x of the viewpoint
  float shipY = 0.0f;        // world y; sinks only during the destruction sequence
  int approachPhase = 0;     // 1 while the ship flies in and brakes
  float musicVolume = 0.0f;  // fade-in of the music loop, 0 to 100
  int weapon = 0;            // 1 to 4
  int gunSide = 0;           // +1 or -1: side of the next weapon-2 shot
  int nextShotTime = 0;      // tick count before which no shot may be fired

  // ---- Aim --------------------------------------------------------------------------------------
  int mouseX = 0;  // mouse position sampled once per mission frame, screen pixels 0 to 799
  int mouseY = 0;  // the same downwards, 0 to 599
  int aimX = 0;    // crosshair, trailing the mouse by 10 pixels per frame and axis
  int aimY = 0;    // the same downwards

  // ---- Screen shake -----------------------------------------------------------------------------
  int shakeFrames = 0;    // frames of shake still to run
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

extern GameState game;

// Puts every field back to its value before the first menu frame and empties the lists.
void ResetGameState();
