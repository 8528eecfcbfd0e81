// The frames a second the game shows.
#include "game/frame_rate.h"

#include <charconv>

int FrameRateValue(std::string_view text) {
  int rate = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, rate);
  if (error != std::errc{} || stop != end || text.empty()) return 0;
  return rate >= kFewestFramesPerSecond && rate <= kMostFramesPerSecond ? rate : 0;
}

int ChosenFrameRate(std::optional<int> asked, int kept, int refresh) {
  if (asked) return *asked;
  if (kept != 0) return kept;
  return refresh >= kFewestFramesPerSecond && refresh <= kMostFramesPerSecond ? refresh
                                                                              : kUsualFramesPerSecond;
}
