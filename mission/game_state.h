// The flow of the game: what the game flow and the mission procedures share beside the world they
// draw (mission/world.h): the switches, the loops' flags, the outcome of a mission and the guns.
#pragma once

#include "mission/world.h"

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

  // ---- The mission's progress and the guns ------------------------------------------------------
  float musicVolume = 0.0f;  // fade-in of the music loop, 0 to 100
  int weapon = 0;            // 1 to 4
  int gunSide = 0;           // +1 or -1: side of the next weapon-2 shot
  int nextShotTime = 0;      // tick count before which no shot may be fired
};

extern GameState game;

// Puts every field of the game and of the world back to its value before the first menu frame and
// empties the lists.
void ResetGameState();
