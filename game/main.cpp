// The program's entry point: the command line, then the game.
#include <cstdio>

#include "base/data_folder.h"
#include "game/command_line.h"
#include "game/main_loop.h"

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(argc, argv);
  switch (line.request) {
    case Request::kHelp: std::printf("%s%s", kUsageLine, kHelpText); return 0;
    case Request::kVersion: std::printf("space %s\n", SPACE_VERSION); return 0;
    case Request::kRefuse: std::fprintf(stderr, "space: %s\n%s", line.refusal.c_str(), kUsageLine); return 2;
    case Request::kPlay: break;
  }
  // Pictures and sounds are read relative to the working directory: start in the folder that
  // holds them, beside the program or where it was installed, so that the game finds them from
  // wherever it is started.
  EnterResourceFolder();
  return RunGame(line);
}
