// The main program: start-up, the menu loop, the mission loop and shutdown.
#pragma once

// Runs the whole game and returns the process's exit status.
int RunGame();
