// Tests of the frame rate's choice: the command line, the settings, the display.
#include "game/frame_rate.h"

#include <gtest/gtest.h>

#include <string>

#include "game/command_line.h"
#include "game/settings.h"

namespace {

TEST(FrameRate, ANumberFrom30To360) {
  EXPECT_EQ(FrameRateValue("144"), 144);
  EXPECT_EQ(FrameRateValue("30"), 30);
  EXPECT_EQ(FrameRateValue("360"), 360);
  EXPECT_EQ(FrameRateValue("29"), 0) << "below the fewest";
  EXPECT_EQ(FrameRateValue("361"), 0) << "above the most";
  EXPECT_EQ(FrameRateValue("60Hz"), 0) << "nothing after the number";
  EXPECT_EQ(FrameRateValue(""), 0);
  EXPECT_EQ(FrameRateValue("-60"), 0);
  EXPECT_EQ(FrameRateValue("99999999999"), 0) << "too large for a number does not wrap";
}

TEST(FrameRate, TheCommandLineThenTheSettingsThenTheDisplay) {
  EXPECT_EQ(ChosenFrameRate(120, 75, 144), 120) << "--fps for this run";
  EXPECT_EQ(ChosenFrameRate(std::nullopt, 75, 144), 75) << "else the settings' fps";
  EXPECT_EQ(ChosenFrameRate(std::nullopt, 0, 144), 144) << "else the display's rate";
  EXPECT_EQ(ChosenFrameRate(std::nullopt, 0, 0), 60) << "a display that tells none: 60";
  EXPECT_EQ(ChosenFrameRate(std::nullopt, 0, 23), 60) << "nor a rate out of the range";
}

TEST(FrameRate, TheOptionAndTheSetting) {
  const char* fps[] = {"space", "--fps", "144", "--window"};
  const CommandLine line = ParseCommandLine(4, fps);
  EXPECT_EQ(line.request, Request::kPlay);
  EXPECT_EQ(line.framesPerSecond, 144);
  EXPECT_EQ(line.window, true) << "the options after it are read on";
  const char* bad[] = {"space", "--fps", "500"};
  EXPECT_EQ(ParseCommandLine(3, bad).request, Request::kRefuse);
  const char* missing[] = {"space", "--fps"};
  EXPECT_EQ(ParseCommandLine(2, missing).request, Request::kRefuse) << "--fps without its number";

  Settings settings;
  EXPECT_TRUE(ParseSettings("fps = 75\n", settings).empty());
  EXPECT_EQ(settings.framesPerSecond, 75);
  EXPECT_TRUE(ParseSettings("FPS = Display\n", settings).empty());
  EXPECT_EQ(settings.framesPerSecond, 0) << "display: the display's own rate";
  settings.framesPerSecond = 41;
  EXPECT_EQ(ParseSettings("fps = fast\n", settings).size(), 1u) << "a value it does not take is told";
  EXPECT_EQ(settings.framesPerSecond, 41) << "and changes nothing";
  const std::string text =
      SettingsText("fps = 75 # mine\n", Settings{.framesPerSecond = 75}, Settings{.framesPerSecond = 120});
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), "fps = 120 # mine\n") << text;
}

}  // namespace
