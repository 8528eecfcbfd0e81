// The program's entry point.
#include <cstdio>
#include <cstring>

#include "base/data_folder.h"
#include "game/main_loop.h"
#include "media/display.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--window") == 0) {
      SetDisplayWindowed(1);  // an 800 x 600 window instead of the full screen; Alt+Return switches
    } else {
      std::fprintf(stderr, "usage: space [--window]\n");
      return 2;
    }
  }
  // Pictures and sounds are read relative to the working directory: start in the folder that
  // holds them, beside the program or where it was installed, so that the game finds them from
  // wherever it is started.
  EnterResourceFolder();
  return RunGame();
}
