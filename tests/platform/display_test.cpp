// Tests of the display: opening, the two buffers, presenting, pacing, events and shutdown.
#include "platform/display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "media/draw.h"
#include "media/sprites.h"
#include "platform/events.h"
#include "platform/frame_pacing.h"
#include "platform/input.h"
#include "platform/picture_placement.h"
#include "platform/testing/input_injection.h"
#include "platform/testing/window_probe.h"
#include "tests/media/screen_helpers.h"

namespace {

class Display : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SetDisplayWindowed(false);
    ShutdownMultimedia();
    SetFrameRate(0);
  }
  void TearDown() override { ShutdownMultimedia(); }

  void Open() { ASSERT_NO_FATAL_FAILURE(OpenTestDisplay()); }

  // The back buffer's colour if it is one colour all over, else -1.
  static long BackBufferColour() {
    std::vector<unsigned int> pixels(kWidth * kHeight, 0xDEADBEEF);
    if (!ReadBackBuffer(pixels.data())) return -1;
    for (unsigned int p : pixels) {
      if (p != pixels[0]) return -1;
    }
    return pixels[0];
  }
};

TEST(FramePacing, PeriodIsCounterFrequencyOverRatePlusOne) {
  EXPECT_EQ(FramePeriodTicks(3579545, 20), 170454) << "rate 20 shows at most 21 frames a second";
  // 3579545 / 41 = 87305.97: the division truncates.
  EXPECT_EQ(FramePeriodTicks(3579545, 40), 87305) << "rate 40 shows at most 41 frames a second";
  EXPECT_EQ(FramePeriodTicks(1000000000, 40), 24390243) << "the division is done in 64 bits";
  EXPECT_EQ(FramePeriodTicks(3579545, 0), 0) << "rate 0 turns pacing off";
  EXPECT_EQ(FramePeriodTicks(3579545, -1), 0) << "a negative rate turns pacing off instead of dividing by 0";
}

TEST_F(Display, OpensFullScreenWithBlackBuffers) {
  Open();
  EXPECT_TRUE(IsDisplayActive()) << "a freshly opened display is active";
  const WindowLook window = LookAtWindow();
  EXPECT_TRUE(window.fullScreen) << "the window covers the desktop";
  EXPECT_EQ(window.title, "Space");
  EXPECT_FALSE(window.cursorShown) << "the cursor is hidden";
  EXPECT_EQ(BackBufferColour(), 0) << "the back buffer starts black";
  EXPECT_STREQ(PresentPathName(), "window surface")
      << "without a graphics card frames go to the window surface";
}

TEST_F(Display, PlaysInAWindowWhenAskedAndAltReturnSwitches) {
  SetDisplayWindowed(true);
  Open();
  ASSERT_EQ(InitKeyboard(), 1);
  WindowLook window = LookAtWindow();
  EXPECT_FALSE(window.fullScreen) << "--window: not full screen";
  EXPECT_EQ(window.width, kWidth) << "a window of the screen's size";
  EXPECT_EQ(window.height, kHeight);

  InjectAltReturn();
  PresentFrame();
  EXPECT_FALSE(IsDisplayWindowed()) << "Alt+Return goes full screen";
  EXPECT_TRUE(LookAtWindow().fullScreen);
  PollKeyboard();
  EXPECT_FALSE(IsKeyDown(Key::Return)) << "the game does not see the Return of Alt+Return";
  EXPECT_FALSE(WasKeyReleased(Key::Return));
  InjectAltReturn();
  PresentFrame();
  EXPECT_TRUE(IsDisplayWindowed()) << "and back into the window";
  window = LookAtWindow();
  EXPECT_FALSE(window.fullScreen);
  EXPECT_EQ(window.width, kWidth);
  SetDisplayWindowed(false);
  EXPECT_TRUE(LookAtWindow().fullScreen) << "full screen is the start";
}

TEST(PicturePlacement, KeepsTheShapeAndEnlargesByWholeFactorsOnly) {
  const auto expect = [](int windowW, int windowH, Placement wanted, const char* rule) {
    const Placement got = PicturePlacement(windowW, windowH, 800, 600);
    EXPECT_EQ(got.x, wanted.x) << windowW << " x " << windowH << ": " << rule;
    EXPECT_EQ(got.y, wanted.y) << windowW << " x " << windowH << ": " << rule;
    EXPECT_EQ(got.width, wanted.width) << windowW << " x " << windowH << ": " << rule;
    EXPECT_EQ(got.height, wanted.height) << windowW << " x " << windowH << ": " << rule;
  };
  expect(800, 600, {0, 0, 800, 600}, "a window of the picture's size is filled");
  expect(1024, 768, {112, 84, 800, 600}, "1.28 times would double some pixels and not others");
  expect(1920, 1080, {560, 240, 800, 600}, "twice the height does not fit");
  expect(1600, 1200, {0, 0, 1600, 1200}, "twice in both directions");
  expect(2560, 1440, {480, 120, 1600, 1200}, "bars at the sides of a wide screen");
  expect(3200, 1800, {400, 0, 2400, 1800}, "three times");
  expect(640, 480, {-80, -60, 800, 600}, "a smaller window shows the middle");
}

TEST_F(Display, PresentShowsTheFrameInTheMiddleWithBlackBars) {
  Open();
  const PixelArea screen = BackBufferArea();
  screen.pixels[0] = 0x123456;
  screen.pixels[kWidth - 1] = 0x00FF00;
  screen.pixels[std::size_t(kHeight) * kWidth - 1] = 0xFF0000;
  PresentFrame();
  const WindowLook window = LookAtWindow();
  const Placement at = PicturePlacement(window.width, window.height, kWidth, kHeight);
  const auto shown = [](int x, int y) {
    std::uint32_t rgb = 0xDEADBEEF;
    EXPECT_TRUE(ShownPixel(x, y, rgb)) << "the window surface can be read at (" << x << ", " << y << ")";
    return rgb;
  };
  EXPECT_EQ(shown(at.x, at.y), 0x123456u) << "the frame's top-left pixel";
  EXPECT_EQ(shown(at.x + kWidth - 1, at.y), 0x00FF00u) << "its top-right pixel, colours in place";
  EXPECT_EQ(shown(at.x + kWidth - 1, at.y + kHeight - 1), 0xFF0000u) << "its bottom-right pixel";
  ASSERT_GT(at.x, 0) << "the headless desktop is larger than the picture";
  EXPECT_EQ(shown(at.x - 1, at.y), 0u) << "a black bar left of the picture";
  EXPECT_EQ(shown(at.x, at.y - 1), 0u) << "a black bar above the picture";
}

TEST_F(Display, RefusesDepthsOtherThan32) {
  ASSERT_NE(InitDisplay(), 0);
  EXPECT_EQ(OpenDisplay(kWidth, kHeight, 16, "Space"), 0) << "only 32 bits per pixel are offered";
  EXPECT_FALSE(HasBackBuffer());
  EXPECT_FALSE(LookAtWindow().exists) << "a refused mode leaves no window";
  EXPECT_FALSE(IsDisplayActive());
}

TEST_F(Display, ReopeningReusesTheWindow) {
  Open();
  EXPECT_NE(InitDisplay(), 0) << "a second InitDisplay is harmless";
  ASSERT_NE(OpenDisplay(640, 480, 32, "Again"), 0);
  EXPECT_EQ(LookAtWindow().title, "Again") << "the one window is reused";
  EXPECT_EQ(BackBufferArea().width, 640);
  EXPECT_EQ(BackBufferArea().height, 480);
}

TEST_F(Display, BackBufferHoldsTheFrameBeforeLastAfterPresent) {
  Open();
  FillBackBuffer(0xFF0000);
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0) << "after the first present the back buffer holds the black of opening";
  FillBackBuffer(0x00FF00);
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0xFF0000) << "after a present the back buffer holds the frame before last";
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0x00FF00) << "nothing clears a buffer";
}

TEST_F(Display, InactiveWindowShowsNothingAndLetsTheMouseGoUntilFocusReturns) {
  Open();
  InjectFocus(false);
  FillBackBuffer(0x0000FF);
  PresentFrame();
  EXPECT_FALSE(IsDisplayActive()) << "losing the focus deactivates the display";
  EXPECT_EQ(BackBufferColour(), 0x0000FF) << "an inactive display does not swap its buffers";
  EXPECT_TRUE(LookAtWindow().cursorShown) << "without the focus the mouse is the desktop's again";
  InjectFocus(true);
  PresentFrame();
  EXPECT_TRUE(IsDisplayActive());
  EXPECT_EQ(BackBufferColour(), 0) << "an active display swaps again";
  EXPECT_FALSE(LookAtWindow().cursorShown) << "with the focus back the game holds the mouse";
}

TEST_F(Display, FramesSurviveARendererReset) {
  Open();
  FillBackBuffer(0xFFFFFF);
  InjectRendererReset();
  PresentFrame();
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0xFFFFFF) << "the frames live in our own memory, not in the renderer's";
}

TEST_F(Display, QuitEventRequestsClose) {
  Open();
  EXPECT_FALSE(WasCloseRequested());
  InjectCloseRequest();
  PresentFrame();
  EXPECT_TRUE(WasCloseRequested()) << "the window manager's close request is remembered";
  PresentFrame();
  EXPECT_TRUE(WasCloseRequested()) << "the request stays for the rest of the run";
  ShutdownMultimedia();
  EXPECT_FALSE(WasCloseRequested()) << "a layer started anew starts without it";
}

TEST_F(Display, PresentsAreOneFortyFirstOfASecondApartAtRate40) {
  Open();
  ASSERT_EQ(SetFrameRate(40), 1);
  const auto start = std::chrono::steady_clock::now();
  PresentFrame();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(1000000 / 41))
      << "the first present after SetFrameRate waits a full period";
  // A busy machine can only lengthen a wait, so the shortest of many shows the period itself:
  // 1/41 s = 24.39 ms (give or take the clocks' few microseconds), clearly below the 25 ms of 1/40 s.
  auto shortest = std::chrono::steady_clock::duration::max();
  auto last = std::chrono::steady_clock::now();
  for (int frame = 0; frame < 30; ++frame) {
    PresentFrame();
    const auto now = std::chrono::steady_clock::now();
    shortest = std::min(shortest, now - last);
    last = now;
  }
  EXPECT_GT(shortest, std::chrono::microseconds(24200)) << "rate 40 shows at most 41 frames a second";
  EXPECT_LT(shortest, std::chrono::microseconds(24900)) << "and not fewer: the period is 1 / (rate + 1)";
}

TEST_F(Display, EveryOperationIsSafeWithoutADisplay) {
  EXPECT_EQ(OpenDisplay(kWidth, kHeight, 32, "Space"), 0) << "OpenDisplay needs InitDisplay first";
  std::vector<unsigned int> pixels(kWidth * kHeight);
  EXPECT_FALSE(ReadBackBuffer(pixels.data()));
  EXPECT_FALSE(IsDisplayActive());
  PresentFrame();
  CloseDisplay();

  ASSERT_NE(InitDisplay(), 0);
  ASSERT_NE(InitDisplay(), 0);
  EXPECT_EQ(OpenDisplay(kWidth, kHeight, 8, "Space"), 0);
  PresentFrame();
  EXPECT_EQ(PollKeyboard(), 0) << "the keyboard was never initialised";
  ASSERT_EQ(InitMouse(), 1);
  EXPECT_EQ(PollMouse(), 0) << "the mouse is not read without an active display";
  ShutdownMultimedia();
  EXPECT_FALSE(IsVideoRunning()) << "shutdown ends the video system however often it was prepared";
}

}  // namespace
