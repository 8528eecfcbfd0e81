// Tests of the command line: the options read in their order, and what a refusal names.
#include "game/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The command line of `space` followed by `arguments`.
CommandLine Parse(const std::vector<const char*>& arguments) {
  std::vector<const char*> argv{"space"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, TheWindowOptionsAreForThisRunAndTheLastOneCounts) {
  EXPECT_EQ(Parse({}).request, Request::kPlay);
  EXPECT_EQ(Parse({}).window, std::nullopt) << "no option: the settings decide";
  EXPECT_EQ(Parse({"--window"}).window, true);
  EXPECT_EQ(Parse({"--fullscreen"}).window, false);
  EXPECT_EQ(Parse({"--window", "--fullscreen"}).window, false);
  EXPECT_EQ(Parse({"--fullscreen", "--window"}).window, true);
  const CommandLine ended = Parse({"--fullscreen", "--"});
  EXPECT_EQ(ended.request, Request::kPlay) << "-- ends the options and may end the line";
  EXPECT_EQ(ended.window, false);
  EXPECT_EQ(Parse({"--"}).request, Request::kPlay);
}

TEST(CommandLine, TheLanguageIsForThisRunAndTakesItsValue) {
  EXPECT_EQ(Parse({}).language, "") << "no option: the settings or the locale decide";
  EXPECT_EQ(Parse({"--language", "en", "--window"}).language, "en");
  EXPECT_EQ(Parse({"--language", "en", "--language", "de"}).language, "de") << "the last one counts";
  EXPECT_EQ(Parse({"--language", "en", "--window"}).window, true) << "its value is not read as an option";
  for (const std::vector<const char*>& wrong :
       {std::vector<const char*>{"--language"}, {"--language", "English"}, {"--language", "--window"}}) {
    const CommandLine line = Parse(wrong);
    EXPECT_EQ(line.request, Request::kRefuse);
    EXPECT_EQ(line.refusal, "--language takes a language such as de or en");
  }
}

TEST(CommandLine, HelpAndVersionEndTheReadingWhereTheyStand) {
  EXPECT_EQ(Parse({"-h"}).request, Request::kHelp);
  EXPECT_EQ(Parse({"--help"}).request, Request::kHelp);
  EXPECT_EQ(Parse({"--window", "--version"}).request, Request::kVersion);
  EXPECT_EQ(Parse({"--help", "--bogus"}).request, Request::kHelp) << "the first that decides wins";
  EXPECT_EQ(Parse({"--bogus", "--help"}).request, Request::kRefuse);
  EXPECT_EQ(Parse({"--", "--help"}).request, Request::kRefuse) << "after --, --help is no option";
}

TEST(CommandLine, ARefusalNamesTheArgument) {
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"--foo"}, "unknown option '--foo'"},
      {{"--Window"}, "unknown option '--Window'"},
      {{"--window=yes"}, "unknown option '--window=yes'"},
      {{"-hv"}, "unknown option '-hv'"},
      {{"-w"}, "unknown option '-w'"},
      {{"--window", "extra"}, "unexpected argument 'extra'"},
      {{"-"}, "unexpected argument '-'"},
      {{""}, "unexpected argument ''"},
      {{"--", "--window"}, "unexpected argument '--window'"},
      {{"--", "--"}, "unexpected argument '--'"},
  };
  for (const auto& [arguments, refusal] : cases) {
    const CommandLine line = Parse(arguments);
    EXPECT_EQ(line.request, Request::kRefuse) << refusal;
    EXPECT_EQ(line.refusal, refusal);
  }
}

}  // namespace
