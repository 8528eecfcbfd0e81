// The program's command line: its options read in order, and the texts of --help.
#include "game/command_line.h"

#include <string_view>
#include <utility>

#include "game/frame_rate.h"
#include "game/language.h"

const char* const kUsageLine =
    "usage: space [--window | --fullscreen] [--fps N] [--language de|en] [-h | --help] [--version]\n";

const char* const kHelpText =
    "\n"
    "An arcade space shooter: stop the alien fleet from your ship's cockpit.\n"
    "\n"
    "  --window      play in an 800 x 600 window, for this run only\n"
    "  --fullscreen  play on the full screen, for this run only\n"
    "  --fps N       show N frames a second (30 to 360), for this run only; 41 draws one frame per\n"
    "                step of the game, as it always did; by default the display's refresh rate\n"
    "  --language de|en\n"
    "                play in German or in English, for this run only\n"
    "  -h, --help    show this help and end\n"
    "  --version     show the version and end\n"
    "  --            end of the options\n"
    "\n"
    "Of --window and --fullscreen the last one given counts. Alt+Return switches between a window\n"
    "and the full screen at any time. The game keeps that choice, the music and the sound effects in\n"
    "$XDG_CONFIG_HOME/space/settings.ini (by default ~/.config/space/settings.ini). The language is\n"
    "the one set there (language = de or en), else the one of the locale (LANGUAGE, LC_ALL,\n"
    "LC_MESSAGES, LANG): English for en, German for any other. More in the manual: man 6 space.\n";

namespace {

CommandLine Refused(std::string refusal) {
  CommandLine line;
  line.request = Request::kRefuse;
  line.refusal = std::move(refusal);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  bool options = true;  // until "--"
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!options || argument.empty() || argument.front() != '-' || argument == "-") {
      return Refused("unexpected argument '" + std::string(argument) + "'");
    }
    if (argument == "--") {
      options = false;
    } else if (argument == "--window") {
      line.window = true;
    } else if (argument == "--fullscreen") {
      line.window = false;
    } else if (argument == "--fps") {
      const int rate = i + 1 < argc ? FrameRateValue(argv[i + 1]) : 0;
      if (rate == 0) return Refused("--fps takes a number of frames a second from 30 to 360");
      line.framesPerSecond = rate;
      ++i;
    } else if (argument == "--language") {
      const std::string_view language = i + 1 < argc ? argv[i + 1] : "";
      if (!IsLanguageCode(language)) return Refused("--language takes a language such as de or en");
      line.language = language;
      ++i;
    } else if (argument == "--help" || argument == "-h") {
      line.request = Request::kHelp;
      return line;
    } else if (argument == "--version") {
      line.request = Request::kVersion;
      return line;
    } else {
      return Refused("unknown option '" + std::string(argument) + "'");
    }
  }
  return line;
}
