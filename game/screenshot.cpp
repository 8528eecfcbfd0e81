// F10: the back buffer as it is before this frame's drawing, saved as a BMP file named by the date.
#include "game/screenshot.h"

#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"

std::string ScreenshotName(const DateTime& date) {
  return "scrnsht_" + FormatDate("%dd%mm%yyyy%hh%ii%ss", date) + ".bmp";
}

void TakeScreenshot() {
  CopyScreenToSprite(kScreenshotSprite, 0, 0, kScreenWidth, kScreenHeight);
  // No folder: the file goes to the working directory, by now the highscore table's folder (the
  // program's own, or the player's data folder for an installed game).
  WriteSpriteBmp(kScreenshotSprite, ScreenshotName(LocalDateTime()).c_str());
}
