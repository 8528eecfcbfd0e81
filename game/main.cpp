// The program's entry point.
#include "base/data_folder.h"
#include "game/main_loop.h"

int main() {
  // Pictures and sounds are read relative to the working directory: start in the folder that
  // holds them, beside the program or where it was installed, so that the game finds them from
  // wherever it is started.
  EnterResourceFolder();
  return RunGame();
}
