// Tests of what the desktop knows the window by: the class, the desktop entry and the icon.
#include "game/window_identity.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "formats/png_reader.h"
#include "media/builtin/builtin_images.h"

namespace {

TEST(WindowIdentity, ClassIsTheDesktopEntrysIdUnlessThePlayerChoseOne) {
  unsetenv("SDL_VIDEO_X11_WMCLASS");
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", "chosen.by.player", 1);
  IntroduceWindow();
  ASSERT_NE(std::getenv("SDL_VIDEO_X11_WMCLASS"), nullptr) << "SDL reads the class from the environment";
  EXPECT_STREQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), kDesktopId);
  EXPECT_STREQ(std::getenv("SDL_VIDEO_WAYLAND_WMCLASS"), "chosen.by.player")
      << "the player's own choice stays";
  unsetenv("SDL_VIDEO_WAYLAND_WMCLASS");
  IntroduceWindow();
  EXPECT_STREQ(std::getenv("SDL_VIDEO_WAYLAND_WMCLASS"), kDesktopId) << "the Wayland app id";
}

// Docks match a window to its launcher by the entry's file name and by StartupWMClass.
TEST(WindowIdentity, DesktopEntryNamesTheWindowsClass) {
  std::ifstream entry(std::string(SPACE_SOURCE_DIR) + "/game/" + kDesktopId + ".desktop");
  ASSERT_TRUE(entry) << "the desktop entry's file is named after the id";
  std::string line;
  std::string startupClass;
  while (std::getline(entry, line)) {
    if (line.rfind("StartupWMClass=", 0) == 0) startupClass = line.substr(15);
  }
  EXPECT_EQ(startupClass, kDesktopId);
}

TEST(WindowIdentity, BuiltInIconIsTheSmallDesktopIconWithItsTransparentCorners) {
  const BuiltinImage file = GameIconImage();
  RgbaImage icon;
  ASSERT_TRUE(DecodePng(file.bytes, file.size, icon)) << "the embedded icon decodes";
  ASSERT_EQ(icon.width, 48);
  ASSERT_EQ(icon.height, 48);
  EXPECT_EQ(icon.pixels[0] >> 24, 0u) << "the corner around the rounded tile is transparent";
  EXPECT_EQ(icon.pixels[48 * 48 - 1] >> 24, 0u);
  EXPECT_EQ(icon.pixels[24 * 48 + 8] >> 24, 255u) << "the tile itself is opaque";
}

}  // namespace
