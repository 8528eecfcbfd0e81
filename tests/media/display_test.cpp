// Tests of the display: opening, the two buffers, presenting, pacing, events and shutdown.
#include "media/display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "media/frame_pacing.h"
#include "media/input.h"
#include "media/input_injection.h"
#include "media/render_context.h"
#include "tests/media/screen_helpers.h"

namespace {

class Display : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ShutdownMultimedia();
    renderContext.closeRequested = false;
    SetFrameRate(0);
  }
  void TearDown() override {
    ShutdownMultimedia();
    renderContext.closeRequested = false;
  }

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

  static void PushWindowEvent(Uint8 windowEvent) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = windowEvent;
    event.window.windowID = SDL_GetWindowID(renderContext.window);
    SDL_PushEvent(&event);
  }

  static void PushEvent(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    SDL_PushEvent(&event);
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

TEST_F(Display, OpensFullScreenWithBlackOpaqueBuffers) {
  Open();
  EXPECT_EQ(IsDisplayActive(), 1) << "a freshly opened display is active";
  const Uint32 flags = SDL_GetWindowFlags(renderContext.window);
  EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP})
      << "the window covers the desktop";
  EXPECT_STREQ(SDL_GetWindowTitle(renderContext.window), "Space");
  int logicalWidth = 0, logicalHeight = 0;
  SDL_RenderGetLogicalSize(renderContext.renderer, &logicalWidth, &logicalHeight);
  EXPECT_EQ(logicalWidth, kWidth) << "the screen is letterboxed at its opened size";
  EXPECT_EQ(logicalHeight, kHeight);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the cursor is hidden";
  EXPECT_EQ(BackBufferColour(), 0) << "the back buffer starts black";

  // Alpha must be opaque too: the buffers are shown with blending off, but drawing blends onto them.
  std::vector<Uint32> argb(kWidth * kHeight);
  ASSERT_TRUE(TargetBackBuffer());
  ASSERT_EQ(SDL_RenderReadPixels(renderContext.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(),
                                 kWidth * 4),
            0);
  EXPECT_EQ(argb[0], 0xFF000000u) << "buffers are cleared to opaque black";
  EXPECT_EQ(argb.back(), 0xFF000000u);
}

TEST_F(Display, RefusesDepthsOtherThan32) {
  ASSERT_NE(InitDisplay(), 0);
  EXPECT_EQ(OpenDisplay(kWidth, kHeight, 16, "Space"), 0) << "only 32 bits per pixel are offered";
  EXPECT_FALSE(HasBackBuffer());
  EXPECT_EQ(renderContext.window, nullptr) << "a refused mode leaves no window";
  EXPECT_EQ(IsDisplayActive(), 0);
}

TEST_F(Display, ReopeningReusesTheWindow) {
  Open();
  SDL_Window* first = renderContext.window;
  EXPECT_NE(InitDisplay(), 0) << "a second InitDisplay is harmless";
  ASSERT_NE(OpenDisplay(640, 480, 32, "Again"), 0);
  EXPECT_EQ(renderContext.window, first) << "there is only ever one window";
  EXPECT_EQ(renderContext.screenWidth, 640);
  EXPECT_STREQ(SDL_GetWindowTitle(first), "Again");
}

TEST_F(Display, BackBufferHoldsTheFrameBeforeLastAfterPresent) {
  Open();
  FillBackBuffer(255, 0, 0);
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0) << "after the first present the back buffer holds the black of opening";
  FillBackBuffer(0, 255, 0);
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0xFF0000) << "after a present the back buffer holds the frame before last";
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0x00FF00) << "nothing clears a buffer";
}

TEST_F(Display, InactiveWindowShowsNothingUntilFocusReturns) {
  Open();
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  FillBackBuffer(0, 0, 255);
  PresentFrame();
  EXPECT_EQ(IsDisplayActive(), 0) << "losing the focus deactivates the display";
  EXPECT_EQ(BackBufferColour(), 0x0000FF) << "an inactive display does not swap its buffers";
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  PresentFrame();
  EXPECT_EQ(IsDisplayActive(), 1);
  EXPECT_EQ(BackBufferColour(), 0) << "an active display swaps again";
}

TEST_F(Display, DeviceResetMakesTheBuffersAgain) {
  Open();
  FillBackBuffer(255, 255, 255);
  PushEvent(SDL_RENDER_DEVICE_RESET);
  PresentFrame();
  EXPECT_TRUE(HasBackBuffer()) << "the buffers survive a device reset";
  EXPECT_EQ(BackBufferColour(), 0) << "buffers made again after a reset are black";
}

TEST_F(Display, QuitEventRequestsClose) {
  Open();
  EXPECT_EQ(WasCloseRequested(), 0);
  InjectCloseRequest();
  PresentFrame();
  EXPECT_EQ(WasCloseRequested(), 1) << "the window manager's close request is remembered";
  PresentFrame();
  EXPECT_EQ(WasCloseRequested(), 1) << "the request stays for the rest of the run";
}

TEST_F(Display, FirstPresentAfterSetFrameRateWaitsAFullPeriod) {
  Open();
  ASSERT_EQ(SetFrameRate(40), 1);
  const auto start = std::chrono::steady_clock::now();
  PresentFrame();
  PresentFrame();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::microseconds(2 * 1000000 / 41))
      << "each present waits out 1/41 s at rate 40, the first one included";
}

TEST_F(Display, EveryOperationIsSafeWithoutADisplay) {
  EXPECT_EQ(OpenDisplay(kWidth, kHeight, 32, "Space"), 0) << "OpenDisplay needs InitDisplay first";
  std::vector<unsigned int> pixels(kWidth * kHeight);
  EXPECT_FALSE(ReadBackBuffer(pixels.data()));
  EXPECT_FALSE(TargetBackBuffer());
  EXPECT_EQ(IsDisplayActive(), 0);
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
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u)
      << "shutdown ends the video system however often it was prepared";
}

}  // namespace
