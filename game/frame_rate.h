// How many frames a second the game shows: the command line's choice for one run, the one kept in
// settings.ini, or the display's own refresh rate.
#pragma once

#include <optional>
#include <string_view>

constexpr int kFewestFramesPerSecond = 30;
constexpr int kMostFramesPerSecond = 360;
// One frame per step of the mission, each showing its step whole: the game as it always drew.
constexpr int kClassicFramesPerSecond = 41;
// Where the display tells no rate (a virtual X server, some drivers).
constexpr int kUsualFramesPerSecond = 60;

// The whole number of frames a second that `text` names, 30 to 360; 0 for anything else.
int FrameRateValue(std::string_view text);

// The frames a second of a run: `asked` (the command line's), else `kept` (the settings' fps, 0 for
// none), else the display's `refresh` rate where it lies from 30 to 360, else 60.
int ChosenFrameRate(std::optional<int> asked, int kept, int refresh);
