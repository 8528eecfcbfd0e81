// Tests of the window's class (the e2e test window_identity.sh reads class and icon back from X).
#include "game/window_identity.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

}  // namespace
