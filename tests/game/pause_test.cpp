// The pause of a mission: what starts it, what ends it, and that the world stands still meanwhile.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "base/random.h"
#include "base/tick_count.h"
#include "game/main_loop.h"
#include "game/pause_screen.h"
#include "game_fixture.h"
#include "media/draw.h"
#include "media/screen_buffers.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/testing/input_injection.h"

namespace {

class Pause : public GameScreen {
 protected:
  void SetUp() override {
    GameScreen::SetUp();
    SeedRandom(5u);
    StartMission();
    SetFrameRate(0);
    world.approachPhase = 0;
    world.speed = -80;
    pad_ = PlugInTestPad();
    ASSERT_GE(pad_, 0) << "setup: SDL attaches a virtual controller";
  }

  static void Frame() {
    game.nextShotTime = GetTickCount();
    MissionFrame();
  }

  // Ends the pause started with P: held in one frame, let go in the next.
  static void GoOnWithP() {
    InjectKey(Key::P, true);
    ASSERT_FALSE(PauseFrame());
    InjectKey(Key::P, false);
    ASSERT_TRUE(PauseFrame());
    EndPause();
  }

  int pad_ = -1;
};

// The bottom rows of a picture, where the cockpit lies.
std::vector<std::uint32_t> CockpitRows(const PixelArea& picture) {
  return {picture.pixels + 540 * picture.width, picture.pixels + picture.width * picture.height};
}

TEST_F(Pause, PTheStartButtonAndALostFocusPauseAfterTheFrame) {
  Frame();
  ASSERT_EQ(game.pauseRequested, 0);
  KeyFrame({Key::P}, true);
  Frame();
  EXPECT_EQ(game.pauseRequested, 0) << "P pauses when it is let go, as the game's keys act";
  InjectKey(Key::P, false);
  Frame();
  EXPECT_EQ(game.pauseRequested, 1) << "P let go: the mission pauses after this frame";
  game.pauseRequested = 0;

  InjectFocus(false);
  Frame();
  EXPECT_EQ(game.pauseRequested, 1) << "the window lost the focus";
  InjectFocus(true);
}

TEST_F(Pause, PStartOrAClickGoOnAndEscapeAborts) {
  Frame();
  EXPECT_FALSE(PauseFrame()) << "nothing pressed: the pause goes on";
  InjectKey(Key::P, true);
  EXPECT_FALSE(PauseFrame());
  InjectKey(Key::P, false);
  EXPECT_TRUE(PauseFrame()) << "P let go goes on";

  SetLeftButton(true);
  game.clickState = 2;  // held into the pause
  EXPECT_FALSE(PauseFrame()) << "a button held since before the pause is no click";
  SetLeftButton(false);
  EXPECT_FALSE(PauseFrame());
  InjectMouseButton(1, true);
  EXPECT_TRUE(PauseFrame()) << "a click goes on";
  InjectMouseButton(1, false);
  EXPECT_FALSE(PauseFrame());

  SetTestPadButton(pad_, kPadStart, true);
  EXPECT_TRUE(PauseFrame()) << "Start goes on";
  SetTestPadButton(pad_, kPadStart, false);
  EXPECT_EQ(game.leaveLoop, 0);

  InjectKey(Key::Escape, true);
  PauseFrame();
  InjectKey(Key::Escape, false);
  EXPECT_TRUE(PauseFrame()) << "Escape ends the pause";
  EXPECT_EQ(game.leaveLoop, 1) << "and the mission";
  EXPECT_EQ(game.missionResult, MissionResult::kAborted);
}

TEST_F(Pause, ThePausedWorldStandsStillAndThePauseDoesNotCountTowardsTheFireInterval) {
  for (int frame = 0; frame < 30; ++frame) Frame();
  SetTestPadButton(pad_, kPadA, true);
  Frame();  // a volley and its recoil
  SetTestPadButton(pad_, kPadA, false);
  const World before = world;
  game.nextShotTime = AddTicks(GetTickCount(), 300);
  const int nextShot = game.nextShotTime;
  // Start pressed after 300 ms on another thread, as the player would, while the pause runs.
  std::thread player([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    SetTestPadButton(pad_, kPadStart, true);
  });
  RunPause();
  player.join();
  EXPECT_GE(TicksBetween(nextShot, game.nextShotTime), 300)
      << "the fire interval waits as long as the pause lasted";
  EXPECT_EQ(world.shots.Count(), before.shots.Count());
  for (int i = 0; i < world.shots.Count(); ++i) {
    EXPECT_EQ(world.shots.At(i).z, before.shots.At(i).z) << "shot " << i << " stood still";
  }
  EXPECT_EQ(world.sparks.Count(), before.sparks.Count());
  EXPECT_EQ(world.aliens.At(0).x, before.aliens.At(0).x) << "the aliens stood still";
  EXPECT_EQ(world.shakeFrames, before.shakeFrames) << "the shake stood still";
  EXPECT_EQ(world.energy, before.energy) << "the energy did not regain";
  EXPECT_EQ(game.leaveLoop, 0) << "the mission goes on";
}

TEST_F(Pause, TheClickThatGoesOnFiresNoVolley) {
  Frame();
  const int shots = world.shots.Count();
  StartPause();
  InjectMouseButton(1, true);
  ASSERT_TRUE(PauseFrame()) << "setup: the click goes on";
  EndPause();
  Frame();
  Frame();
  EXPECT_EQ(world.shots.Count(), shots) << "the button still held from the click does not fire";
  InjectMouseButton(1, false);
  Frame();
  InjectMouseButton(1, true);
  Frame();
  EXPECT_GT(world.shots.Count(), shots) << "pressed afresh it fires";
  InjectMouseButton(1, false);
}

TEST_F(Pause, NoMotionIsTakenWhilePausedOrWithoutTheFocus) {
  Frame();
  const int x = world.mouseX;
  const int y = world.mouseY;
  StartPause();
  InjectMouseMotion(200, 100);
  SetTestPadStick(pad_, kRightStickX, 1.0);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  GoOnWithP();
  Frame();
  EXPECT_EQ(world.mouseX, x) << "neither the mouse moved during the pause nor the stick held through it";
  EXPECT_EQ(world.mouseY, y);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  Frame();
  EXPECT_GT(world.mouseX, x) << "the stick moves the pointer from the first frame after on";
  SetTestPadStick(pad_, kRightStickX, 0.0);

  Frame();
  const int left = world.mouseX;
  InjectFocus(false);
  InjectMouseMotion(-150, 0);
  Frame();
  ASSERT_EQ(game.pauseRequested, 1) << "setup: the lost focus pauses";
  StartPause();
  InjectMouseMotion(-100, 0);
  EXPECT_FALSE(PauseFrame());
  InjectMouseMotion(-100, 0);
  InjectFocus(true);
  GoOnWithP();
  Frame();
  EXPECT_EQ(world.mouseX, left) << "nothing moved without the focus is added when it is back";
}

TEST_F(Pause, AFocusLostInAMissionsFirstFrameShowsTheMissionUnderPause) {
  DrawMenu(MousePosX(), MousePosY());
  PresentFrame();
  const std::vector<std::uint32_t> menu = CockpitRows(FrontBufferArea());
  StartMission();
  SetFrameRate(0);
  InjectFocus(false);
  MissionFrame();
  ASSERT_EQ(game.pauseRequested, 1) << "setup: the lost focus pauses";
  ASSERT_EQ(CockpitRows(FrontBufferArea()), menu)
      << "setup: the mission's first frame did not reach the screen";
  StartPause();
  EXPECT_FALSE(PauseFrame()) << "nothing can be drawn without the focus";
  InjectFocus(true);
  GoOnWithP();
  const std::vector<std::uint32_t> paused = CockpitRows(SpriteArea(kPausedFrameSprite));
  EXPECT_NE(paused, menu) << "not the menu under \"Pause\"";
  MissionFrame();
  EXPECT_EQ(paused, CockpitRows(FrontBufferArea())) << "but the mission, as its next frame shows it";
}

}  // namespace

namespace {

using PauseScreen = GameScreen;

TEST_F(PauseScreen, TheTitleStandsOnADarkerBandOverTheDimmedFrame) {
  // A paused frame of one grey: the veil dims it evenly, the band darkens its middle further.
  StartPause();
  NewSprite(kPausedFrameSprite, 800, 600, kSpritePlain);
  BeginDraw(SpriteTarget(kPausedFrameSprite));
  FillRect(0, 0, 800, 600, RgbPixel(200, 200, 200));
  EndDraw();
  PauseFrame();
  EndPause();
  PresentFrame();
  const Picture shown = BackBuffer();
  const unsigned int veiled = PixelAt(shown, 20, 150);
  const unsigned int band = PixelAt(shown, 20, 260);
  EXPECT_LT(band & 0xFF00, veiled & 0xFF00) << "the band is darker than the veil around it";
  EXPECT_EQ(PixelAt(shown, 20, 231), veiled) << "the band starts at y 232";
  EXPECT_EQ(PixelAt(shown, 20, 332), veiled) << "and is 100 pixels high";
  int bright = 0;
  for (int y = 236; y < 300; ++y) {
    for (int x = 200; x < 600; ++x) bright += (PixelAt(shown, x, y) & 0xFF) > 200;
  }
  EXPECT_GT(bright, 500) << "the title's silver letters stand on the band";
}

}  // namespace
