// F10: the back buffer as it is before this frame's drawing, saved as a BMP file named by the date.
#include "game/screenshot.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"

namespace {

// Names tried per second before giving up: far more than F10 can be pressed in one, even by
// several copies of the game sharing the folder.
constexpr int kMaxCopiesPerSecond = 1000;

// The errno values already told on stderr: a folder that stays closed is named once, not at
// every press of F10.
std::vector<int> reportedCauses;

void ReportFailure(int cause) {
  if (std::find(reportedCauses.begin(), reportedCauses.end(), cause) != reportedCauses.end()) return;
  reportedCauses.push_back(cause);
  char folder[4096];
  if (getcwd(folder, sizeof folder) == nullptr) std::strcpy(folder, ".");
  const char* reason = cause == EEXIST ? "every name of this second is taken" : std::strerror(cause);
  std::fprintf(stderr, "space: cannot save a screenshot in %s: %s\n", folder, reason);
}

}  // namespace

std::string ScreenshotName(const DateTime& date, int copy) {
  std::string name = "scrnsht_" + FormatDate("%dd%mm%yyyy%hh%ii%ss", date);
  if (copy > 1) name += '-' + std::to_string(copy);
  return name + ".bmp";
}

void SaveScreenshot(const DateTime& date) {
  // Each name is taken by creating the file exclusively, so that a name is never taken twice,
  // not even by another copy of the game writing into the same folder at the same moment.
  int cause = EEXIST;
  for (int copy = 1; copy <= kMaxCopiesPerSecond && cause == EEXIST; ++copy) {
    const std::string name = ScreenshotName(date, copy);
    if (WriteSpriteBmp(kScreenshotSprite, name.c_str()) != 0) return;
    cause = errno;
  }
  ReportFailure(cause);
}

void TakeScreenshot() {
  CopyScreenToSprite(kScreenshotSprite, 0, 0, kScreenWidth, kScreenHeight);
  // No folder: the file goes to the working directory, by now the highscore table's folder (the
  // program's own, or the player's data folder for an installed game).
  SaveScreenshot(LocalDateTime());
}
