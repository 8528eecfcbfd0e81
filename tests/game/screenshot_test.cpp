// Tests of the screenshot: its file name, its file, and which frame it shows on the menu and in a mission.
#include "game/screenshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/main_loop.h"
#include "game_fixture.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/testing/input_injection.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kScreenshotBytes = 54 + 800 * 600 * 3;  // 1,440,054

// "scrnsht_", 14 digits, ".bmp".
bool IsScreenshotName(const std::string& name) {
  if (name.size() != 26 || !name.starts_with("scrnsht_") || !name.ends_with(".bmp")) return false;
  return std::all_of(name.begin() + 8, name.begin() + 22,
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

TEST(ScreenshotName, IsPrefixFourteenDigitsAndExtension) {
  const std::string name = ScreenshotName(DateTime{2026, 12, 6, 8, 14, 25});
  EXPECT_EQ(name, "scrnsht_06122026081425.bmp") << "day, month, year, hour, minute, second";
  EXPECT_EQ(name.size(), 26u) << "8 + 14 + 4 characters";
  EXPECT_EQ(ScreenshotName(DateTime{2031, 1, 2, 3, 4, 5}), "scrnsht_02012031030405.bmp")
      << "every two-digit field has its leading zero";
}

// Screenshots go to the working directory, here a fresh temporary one.
class Screenshot : public GameScreen {
 protected:
  void SetUp() override {
    GameScreen::SetUp();
    char pattern[] = "/tmp/space_screenshot_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    ASSERT_EQ(chdir(folder_.c_str()), 0);
  }
  void TearDown() override {
    GameScreen::TearDown();
    fs::remove_all(folder_);
  }

  // The screenshot files written so far.
  std::vector<fs::path> Files() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder_)) files.push_back(entry.path());
    return files;
  }

  // Reads the one screenshot written, checks its name and size, removes it and returns its pixels.
  Picture TakeFile() {
    const std::vector<fs::path> files = Files();
    EXPECT_EQ(files.size(), 1u) << "one screenshot file";
    if (files.size() != 1) return {};
    const fs::path file = files[0];
    EXPECT_TRUE(IsScreenshotName(file.filename().string())) << file.filename();
    EXPECT_EQ(fs::file_size(file), kScreenshotBytes) << "a 24-bit BMP of 800 x 600 without padding";
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(file);
    Picture pixels(kScreenWidth * kScreenHeight);
    if (bytes.size() != kScreenshotBytes) return pixels;
    for (int y = 0; y < kScreenHeight; ++y) {
      const char* row = bytes.data() + 54 + (kScreenHeight - 1 - y) * kScreenWidth * 3;  // bottom-up
      for (int x = 0; x < kScreenWidth; ++x) {
        const auto* bgr = reinterpret_cast<const unsigned char*>(row + 3 * x);
        pixels[y * kScreenWidth + x] = bgr[2] << 16 | bgr[1] << 8 | bgr[0];
      }
    }
    return pixels;
  }

  // Clicks "Mission" in one menu frame (the page changes after it is drawn) and releases F10 k
  // frames later; F10 is held from the click on.
  Picture ScreenshotFramesAfterPageChange(int k) {
    game.menuState = MenuPage::kMain;
    PointAt(400, 305);
    MenuFrame();
    MenuFrame();  // both buffers hold the main menu
    InjectKey(Key::F10, true);
    InjectMouseButton(1, true);
    MenuFrame();
    EXPECT_EQ(game.menuState, MenuPage::kBriefing)
        << "Mission shows the briefing page from the next frame on";
    InjectMouseButton(1, false);
    for (int frame = 1; frame < k; ++frame) MenuFrame();
    InjectKey(Key::F10, false);
    MenuFrame();
    return TakeFile();
  }

  std::string folder_;
};

TEST_F(Screenshot, ShowsTheBackBufferFromBeforeTheFrame) {
  PointAt(400, 305);
  const Picture mainMenu = DrawnMenu();
  game.menuState = MenuPage::kBriefing;
  const Picture briefing = DrawnMenu();
  ASSERT_NE(mainMenu, briefing);

  EXPECT_TRUE(ScreenshotFramesAfterPageChange(1) == mainMenu)
      << "the first frame after the page change saves the frame before last: the main menu";
  EXPECT_TRUE(ScreenshotFramesAfterPageChange(2) == mainMenu)
      << "the second frame after it saves the click's own frame: still the main menu";
  EXPECT_TRUE(ScreenshotFramesAfterPageChange(3) == briefing) << "the third shows the new page";
}

TEST_F(Screenshot, IsTakenOnceWhenF10IsReleased) {
  InjectKey(Key::F10, true);
  for (int frame = 0; frame < 4; ++frame) MenuFrame();
  EXPECT_TRUE(Files().empty()) << "holding F10 saves nothing";
  const DateTime before = LocalDateTime();
  InjectKey(Key::F10, false);
  MenuFrame();
  const DateTime after = LocalDateTime();
  const std::vector<fs::path> files = Files();
  ASSERT_EQ(files.size(), 1u) << "releasing it saves one file";
  const std::string name = files[0].filename().string();
  EXPECT_TRUE(name == ScreenshotName(before) || name == ScreenshotName(after)) << name << " names the time";
  MenuFrame();
  EXPECT_EQ(Files().size(), 1u) << "one release, one screenshot";
}

TEST_F(Screenshot, MissionFrameTakesItOnReleaseBeforeDrawing) {
  StartMission();
  SetFrameRate(0);
  // Every frame shows another hull gauge, so that no two frames look the same.
  game.hull = 4000;
  MissionFrame();
  game.hull = 3000;
  MissionFrame();
  InjectKey(Key::F10, true);
  game.hull = 2000;
  MissionFrame();
  EXPECT_TRUE(Files().empty()) << "holding F10 in a mission saves nothing";
  InjectKey(Key::F10, false);
  const Picture frameBeforeLast = BackBuffer();
  game.hull = 1000;
  MissionFrame();
  EXPECT_TRUE(TakeFile() == frameBeforeLast)
      << "the release saves the back buffer before the frame draws: the frame of hull 3000, not 2000";
  MissionFrame();
  EXPECT_TRUE(Files().empty()) << "one release, one screenshot";
}

}  // namespace
