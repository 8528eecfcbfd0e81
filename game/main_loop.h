// The main program: start-up, the menu loop, the mission loop and shutdown.
#pragma once

#include <optional>
#include <string>

// Runs the whole game and returns the process's exit status: 0, or 1 when the display could not
// be opened (with the reason on stderr). `window`: the command line's choice of a window (true) or
// the full screen (false) for this run; without it the settings decide. `language`: the command
// line's language for this run; empty, the settings or the player's locale decide.
int RunGame(std::optional<bool> window, const std::string& language);

// Starts the multimedia layer and opens the 800 x 600 screen titled "Space", with the desktop entry's
// class and the game's icon, at frame rate 40 with smoothed quads. 0 if the screen could not be opened.
int OpenGameScreen();

// One frame of the menu loop: input, Escape, F10, the sound keys, the page drawn and presented,
// and the action of a clicked button. true when "Starten" was clicked (the rest of the frame is
// skipped); leaveLoop = 1 when the program is to end.
bool MenuFrame();

// One frame of the mission loop: EaseAim, ReadMissionInput, F10, AdvanceMission, UpdateObjects
// and DrawMissionFrame, which presents. The loop tests leaveLoop after it.
void MissionFrame();
