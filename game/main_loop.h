// The main program: start-up, the menu loop, the mission loop and shutdown.
#pragma once

struct CommandLine;

// Runs the whole game and returns the process's exit status: 0, or 1 when the display could not
// be opened (with the reason on stderr). The command line's choices for this run (a window or the
// full screen, the frames a second, the language) go before the settings'.
int RunGame(const CommandLine& line);

// Starts the multimedia layer and opens the 800 x 600 screen titled "Space", with the desktop entry's
// class and the game's icon, at frame rate 40 with smoothed quads. 0 if the screen could not be opened.
int OpenGameScreen();

// One frame of the menu loop: the menu's steps that have come due (each the input, Escape, F10, the
// sound keys and the action of a clicked button), then the page drawn with the pointer where it is
// and presented; drawn anew only when a step ran or the pointer moved. true when "Starten" was
// clicked (the rest of the frame is skipped); leaveLoop = 1 when the program is to end.
bool MenuFrame();

// One frame of the mission loop: the mission's steps that have come due (MissionStep, then F10),
// ending early at a step that ends the mission or asks for a pause, then the world drawn at the
// fraction of the step that has passed and presented. The loop tests leaveLoop after it.
void MissionFrame();
