// The window's class, app id and icon, so that docks group the window with its launcher.
#include "game/window_identity.h"

#include "formats/png_reader.h"
#include "media/builtin/builtin_images.h"
#include "platform/display.h"
#include "platform/window_manager.h"

void IntroduceWindow() {
  SetDesktopId(kDesktopId);
  const BuiltinImage file = GameIconImage();
  RgbaImage icon;
  if (DecodePng(file.bytes, file.size, icon)) SetDisplayIcon(icon.pixels.data(), icon.width, icon.height);
}
