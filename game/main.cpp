// The program's entry point: the command line, then the game.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "base/data_folder.h"
#include "game/language.h"
#include "game/main_loop.h"

namespace {

constexpr const char* kUsage =
    "usage: space [--window | --fullscreen] [--language de|en] [--help] [--version]\n";

constexpr const char* kHelp =
    "\n"
    "An arcade space shooter: stop the alien fleet from your ship's cockpit.\n"
    "\n"
    "  --window      play in an 800 x 600 window, for this run only\n"
    "  --fullscreen  play on the full screen, for this run only\n"
    "  --language de|en\n"
    "                play in German or in English, for this run only\n"
    "  --help        show this help and end\n"
    "  --version     show the version and end\n"
    "\n"
    "Alt+Return switches between a window and the full screen at any time. The game keeps that\n"
    "choice, the music and the sound effects in $XDG_CONFIG_HOME/space/settings.ini (by default\n"
    "~/.config/space/settings.ini). The language is the one set there (language = de or en), else\n"
    "the one of the locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG): English for en, German for any\n"
    "other. More in the manual: man 6 space.\n";

}  // namespace

int main(int argc, char** argv) {
  std::optional<bool> window;  // the command line's choice, for this run only
  std::string language;        // the same; empty: the settings or the locale decide
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--window") == 0) {
      window = true;
    } else if (std::strcmp(argv[i], "--fullscreen") == 0) {
      window = false;
    } else if (std::strcmp(argv[i], "--language") == 0 && i + 1 < argc && IsLanguageCode(argv[i + 1])) {
      language = argv[++i];
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::printf("%s%s", kUsage, kHelp);
      return 0;
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("space %s\n", SPACE_VERSION);
      return 0;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  // Pictures and sounds are read relative to the working directory: start in the folder that
  // holds them, beside the program or where it was installed, so that the game finds them from
  // wherever it is started.
  EnterResourceFolder();
  return RunGame(window, language);
}
