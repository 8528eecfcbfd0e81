// Tests of the display: opening, the two buffers, presenting, pacing, events and shutdown.
#include "media/display.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "media/frame_pacing.h"
#include "media/input.h"
#include "media/input_injection.h"
#include "media/presenter.h"
#include "media/render_context.h"
#include "tests/media/screen_helpers.h"

namespace {

class Display : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SetDisplayWindowed(0);
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
    event.window.windowID = SDL_GetWindowID(PresenterWindow());
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

TEST_F(Display, OpensFullScreenWithBlackBuffers) {
  Open();
  EXPECT_EQ(IsDisplayActive(), 1) << "a freshly opened display is active";
  const Uint32 flags = SDL_GetWindowFlags(PresenterWindow());
  EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP})
      << "the window covers the desktop";
  EXPECT_STREQ(SDL_GetWindowTitle(PresenterWindow()), "Space");
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the cursor is hidden";
  EXPECT_EQ(BackBufferColour(), 0) << "the back buffer starts black";
  EXPECT_STREQ(PresentPathName(), "window surface")
      << "without a graphics card frames go to the window surface";
}

TEST_F(Display, PlaysInAWindowWhenAskedAndAltReturnSwitches) {
  SetDisplayWindowed(1);
  Open();
  ASSERT_EQ(InitKeyboard(), 1);
  SDL_Window* window = PresenterWindow();
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u) << "--window: not full screen";
  EXPECT_EQ(width, kWidth) << "a window of the screen's size";
  EXPECT_EQ(height, kHeight);

  const auto altReturn = [] {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = SDL_SCANCODE_RETURN;
    event.key.keysym.mod = KMOD_LALT;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    SDL_PushEvent(&event);
  };
  altReturn();
  PresentFrame();
  EXPECT_EQ(IsDisplayWindowed(), 0) << "Alt+Return goes full screen";
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
  PollKeyboard();
  EXPECT_EQ(IsKeyDown(Key::Return), 0) << "the game does not see the Return of Alt+Return";
  EXPECT_EQ(WasKeyReleased(Key::Return), 0);
  altReturn();
  PresentFrame();
  EXPECT_EQ(IsDisplayWindowed(), 1) << "and back into the window";
  SDL_GetWindowSize(window, &width, &height);
  EXPECT_EQ(width, kWidth);
  SetDisplayWindowed(0);
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u) << "full screen is the start";
}

TEST(PicturePlacement, KeepsTheShapeAndEnlargesByWholeFactorsOnly) {
  const auto expect = [](int windowW, int windowH, SDL_Rect wanted, const char* rule) {
    const SDL_Rect got = PicturePlacement(windowW, windowH, 800, 600);
    EXPECT_EQ(got.x, wanted.x) << windowW << " x " << windowH << ": " << rule;
    EXPECT_EQ(got.y, wanted.y) << windowW << " x " << windowH << ": " << rule;
    EXPECT_EQ(got.w, wanted.w) << windowW << " x " << windowH << ": " << rule;
    EXPECT_EQ(got.h, wanted.h) << windowW << " x " << windowH << ": " << rule;
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
  renderContext.backBuffer[0] = 0x123456;
  renderContext.backBuffer[kWidth - 1] = 0x00FF00;
  renderContext.backBuffer[std::size_t(kHeight) * kWidth - 1] = 0xFF0000;
  PresentFrame();
  SDL_Surface* surface = SDL_GetWindowSurface(PresenterWindow());
  ASSERT_NE(surface, nullptr);
  const SDL_Rect at = PicturePlacement(surface->w, surface->h, kWidth, kHeight);
  const auto shown = [surface](int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + std::size_t(y) * surface->pitch;
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], surface->format, &r, &g, &b);
    return unsigned(r) << 16 | unsigned(g) << 8 | b;
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
  EXPECT_EQ(PresenterWindow(), nullptr) << "a refused mode leaves no window";
  EXPECT_EQ(IsDisplayActive(), 0);
}

TEST_F(Display, ReopeningReusesTheWindow) {
  Open();
  SDL_Window* first = PresenterWindow();
  EXPECT_NE(InitDisplay(), 0) << "a second InitDisplay is harmless";
  ASSERT_NE(OpenDisplay(640, 480, 32, "Again"), 0);
  EXPECT_EQ(PresenterWindow(), first) << "there is only ever one window";
  EXPECT_EQ(renderContext.screenWidth, 640);
  EXPECT_STREQ(SDL_GetWindowTitle(first), "Again");
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
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  FillBackBuffer(0x0000FF);
  PresentFrame();
  EXPECT_EQ(IsDisplayActive(), 0) << "losing the focus deactivates the display";
  EXPECT_EQ(BackBufferColour(), 0x0000FF) << "an inactive display does not swap its buffers";
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "without the focus the mouse is the desktop's again";
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  PresentFrame();
  EXPECT_EQ(IsDisplayActive(), 1);
  EXPECT_EQ(BackBufferColour(), 0) << "an active display swaps again";
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "with the focus back the game holds the mouse";
}

TEST_F(Display, FramesSurviveARendererReset) {
  Open();
  FillBackBuffer(0xFFFFFF);
  PushEvent(SDL_RENDER_DEVICE_RESET);
  PresentFrame();
  PresentFrame();
  EXPECT_EQ(BackBufferColour(), 0xFFFFFF) << "the frames live in our own memory, not in the renderer's";
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
