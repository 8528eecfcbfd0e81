// Tests of the screenshot: its file name, its file, which frame it shows on the menu and in a
// mission, and that it never takes the place of another file.
#include "game/screenshot.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "game/main_loop.h"
#include "game_fixture.h"
#include "media/slots.h"
#include "media/sprites.h"
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
  EXPECT_EQ(ScreenshotName(DateTime{2026, 12, 8, 15, 11, 6}, 2), "scrnsht_08122026151106-2.bmp")
      << "the second of a second counts before the extension";
  EXPECT_EQ(ScreenshotName(DateTime{2026, 12, 8, 15, 11, 6}, 12), "scrnsht_08122026151106-12.bmp");
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a child process wrote on stderr, and whether it got to its end without a crash.
struct ChildRun {
  bool ended = false;
  std::vector<std::string> lines;
};

ChildRun RunInChild(const std::function<void()>& body) {
  ChildRun run;
  std::FILE* log = std::tmpfile();
  if (log == nullptr) return run;
  std::fflush(stderr);
  const pid_t child = fork();
  if (child == 0) {
    if (dup2(fileno(log), STDERR_FILENO) < 0) _exit(1);
    body();
    _exit(0);
  }
  int status = 0;
  run.ended =
      child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  std::rewind(log);
  char line[1024];
  while (std::fgets(line, sizeof line, log) != nullptr) run.lines.emplace_back(line);
  std::fclose(log);
  return run;
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

  // The screenshot taken from now on shows one colour all over.
  static void PaintWorkSprite(std::uint32_t colour) {
    ASSERT_NE(CopyScreenToSprite(kScreenshotSprite, 0, 0, kScreenWidth, kScreenHeight), 0);
    const PixelArea area = SpriteArea(kScreenshotSprite);
    std::fill(area.pixels, area.pixels + area.width * area.height, colour);
  }

  // The colour of a screenshot file's first pixel, or -1 for a file of another size.
  long FileColour(const std::string& name) const {
    const std::string bytes = ReadBytes(folder_ + "/" + name);
    if (bytes.size() != kScreenshotBytes) return -1;
    const auto* bgr = reinterpret_cast<const unsigned char*>(bytes.data() + 54);
    return long(bgr[2]) << 16 | long(bgr[1]) << 8 | long(bgr[0]);
  }

  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const fs::path& file : Files()) names.push_back(file.filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
};

constexpr DateTime kMoment{2026, 12, 8, 15, 11, 6};
const std::string kFirst = "scrnsht_08122026151106.bmp";

TEST_F(Screenshot, ThreeInOneSecondGiveThreeFiles) {
  for (std::uint32_t colour : {0x112233u, 0x445566u, 0x778899u}) {
    PaintWorkSprite(colour);
    SaveScreenshot(kMoment);
  }
  const std::vector<std::string> expected = {"scrnsht_08122026151106-2.bmp", "scrnsht_08122026151106-3.bmp",
                                             kFirst};
  EXPECT_EQ(FileNames(), expected) << "the first keeps the plain name, the later ones count on";
  EXPECT_EQ(FileColour(kFirst), 0x112233) << "the first picture is not replaced";
  EXPECT_EQ(FileColour("scrnsht_08122026151106-2.bmp"), 0x445566);
  EXPECT_EQ(FileColour("scrnsht_08122026151106-3.bmp"), 0x778899);

  PaintWorkSprite(0xAABBCC);
  SaveScreenshot(DateTime{2026, 12, 8, 15, 11, 7});
  EXPECT_EQ(FileColour("scrnsht_08122026151107.bmp"), 0xAABBCC) << "the next second starts afresh";
}

TEST_F(Screenshot, AnotherRunsFileIsKept) {
  std::ofstream(folder_ + "/" + kFirst) << "another run's picture";
  // A link to a file not yet made: following it would make the file at its other end.
  fs::create_symlink(folder_ + "/elsewhere", folder_ + "/scrnsht_08122026151106-2.bmp");
  PaintWorkSprite(0x123456);
  SaveScreenshot(kMoment);
  EXPECT_EQ(ReadBytes(folder_ + "/" + kFirst), "another run's picture") << "kept byte for byte";
  EXPECT_FALSE(fs::exists(folder_ + "/elsewhere")) << "a link is a name taken, not followed";
  EXPECT_EQ(FileColour("scrnsht_08122026151106-3.bmp"), 0x123456) << "the new one takes the next free name";
  EXPECT_EQ(Files().size(), 3u);
}

TEST_F(Screenshot, OneThatCannotBeWrittenLeavesNoFileAndIsToldOncePerCause) {
  PaintWorkSprite(0x123456);
  std::ofstream(folder_ + "/" + kFirst) << "another run's picture";
  const ChildRun run = RunInChild([] {
    // Files may grow to 1,000 bytes only, as on a disk that fills up while the picture is written.
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(1);
    for (int press = 0; press < 3; ++press) SaveScreenshot(kMoment);
    // Then a folder the player may not write into. Root writes into any folder whatever its mode,
    // so root gives up root as well.
    if (chmod(".", 0555) != 0 || (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))) _exit(1);
    for (int press = 0; press < 3; ++press) SaveScreenshot(kMoment);
  });
  chmod(folder_.c_str(), 0700);
  EXPECT_TRUE(run.ended) << "the game goes on";
  EXPECT_EQ(FileNames(), std::vector<std::string>{kFirst}) << "no part of a picture is left";
  EXPECT_EQ(ReadBytes(folder_ + "/" + kFirst), "another run's picture");
  ASSERT_EQ(run.lines.size(), 2u) << "three presses for each of two causes, one line each on stderr";
  EXPECT_NE(run.lines[0].find(std::strerror(EFBIG)), std::string::npos) << run.lines[0] << " says why";
  EXPECT_NE(run.lines[1].find(std::strerror(EACCES)), std::string::npos) << run.lines[1] << " says why";
  EXPECT_NE(run.lines[1].find(folder_), std::string::npos) << run.lines[1] << " names the folder";
}

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
