// The program's command line: which options were given, and the texts that explain them.
#pragma once

#include <optional>
#include <string>

// What the command line asks the program to do.
enum class Request { kPlay, kHelp, kVersion, kRefuse };

struct CommandLine {
  Request request = Request::kPlay;
  std::optional<bool> window;          // true for --window, false for --fullscreen (the last one given)
  std::optional<int> framesPerSecond;  // --fps N: 30 to 360 frames a second, for this run
  std::string language;  // of --language (the last one given); empty: the settings or the locale decide
  std::string refusal;   // for kRefuse: what was wrong, naming the argument
};

// Reads the arguments after the program's name in their order: the first of --help (-h),
// --version and a wrong argument decides; "--" ends the options, and the game takes no other
// arguments, before it or after it.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// The usage line, with its line feed: the first line of --help, and the line after a refusal.
extern const char* const kUsageLine;

// The rest of --help after the usage line.
extern const char* const kHelpText;
