// The player's controls: the trailing crosshair and the keys and buttons of a mission.
#include "mission/controls.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

#include "base/tick_count.h"
#include "mission/game_state.h"
#include "mission_fixture.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/testing/input_injection.h"

namespace {

class Controls : public MissionMediaTest {
 protected:
  void SetUp() override {
    MissionMediaTest::SetUp();
    game.weapon = 2;
    game.energy = 1330.0f;
    game.nextShotTime = GetTickCount();
    game.speed = -80;
  }
};

// Presses `key` in one poll and releases it in the next.
void Tap(int key) {
  InjectKey(key, true);
  ReadMissionInput();
  InjectKey(key, false);
  ReadMissionInput();
}

TEST_F(Controls, CrosshairTrailsTheMouseAndSnaps) {
  game.aimX = 400;
  game.aimY = 300;
  game.mouseX = 437;
  game.mouseY = 295;
  EaseAim();
  EXPECT_EQ(game.aimX, 410) << "10 pixels per frame towards the mouse";
  EXPECT_EQ(game.aimY, 295) << "less than 10 away snaps onto the mouse";
  EaseAim();
  EXPECT_EQ(game.aimX, 420);
  EaseAim();
  EXPECT_EQ(game.aimX, 437) << "7 pixels off after the step: the snap takes the mouse position";
  game.mouseX = 435;
  game.aimX = 430;
  EaseAim();
  EXPECT_EQ(game.aimX, 435) << "a step past the mouse is undone by the snap";
  game.mouseX = 0;
  game.aimX = 5;
  EaseAim();
  EXPECT_EQ(game.aimX, 0);
}

TEST_F(Controls, ReadMissionInputSamplesTheMouse) {
  SetMousePos(123, 456);
  ReadMissionInput();
  EXPECT_EQ(game.mouseX, 123);
  EXPECT_EQ(game.mouseY, 456);
  InjectMouseMotion(-1000, 1000);
  ReadMissionInput();
  EXPECT_EQ(game.mouseX, 0);
  EXPECT_EQ(game.mouseY, 599) << "the mouse stays on the screen";
}

TEST_F(Controls, SpeedKeysClampAtMinus1000AndZero) {
  // The arrow keys Up and Down stand in for keypad + and - on keyboards without a keypad.
  for (const auto& [faster, slower] :
       {std::pair{Key::KeypadPlus, Key::KeypadMinus}, std::pair{Key::Up, Key::Down}}) {
    game.speed = -80;
    InjectKey(faster, true);
    ReadMissionInput();
    EXPECT_EQ(game.speed, -85) << "key " << faster << " held: 5 faster per frame";
    game.speed = -998;
    ReadMissionInput();
    EXPECT_EQ(game.speed, -1000) << "key " << faster << " never goes beyond -1000";
    InjectKey(faster, false);
    ReadMissionInput();
    EXPECT_EQ(game.speed, -1000) << "key " << faster << " let go: the speed stays";
    game.speed = -3;
    InjectKey(slower, true);
    ReadMissionInput();
    EXPECT_EQ(game.speed, 0) << "key " << slower << ": the ship can stop but never fly backwards";
    ReadMissionInput();
    EXPECT_EQ(game.speed, 0);
    game.speed = -80;
    ReadMissionInput();
    EXPECT_EQ(game.speed, -75) << "key " << slower << " held: 5 slower per frame";
    InjectKey(slower, false);
    ReadMissionInput();
  }
  InjectKey(Key::KeypadPlus, true);
  InjectKey(Key::Up, true);
  game.speed = -80;
  ReadMissionInput();
  EXPECT_EQ(game.speed, -85) << "keypad + and Up held together count once";
}

TEST_F(Controls, WeaponKeysCountWhenReleasedAndTheHighestWins) {
  InjectKey(Key::Digit3, true);
  ReadMissionInput();
  EXPECT_EQ(game.weapon, 2) << "a weapon key counts when released";
  InjectKey(Key::Digit3, false);
  ReadMissionInput();
  EXPECT_EQ(game.weapon, 3);

  InjectKey(Key::Digit4, true);
  InjectKey(Key::Digit1, true);
  ReadMissionInput();
  InjectKey(Key::Digit4, false);
  InjectKey(Key::Digit1, false);
  ReadMissionInput();
  EXPECT_EQ(game.weapon, 4) << "with several released at once the highest wins";
  Tap(Key::Digit1);
  EXPECT_EQ(game.weapon, 1);
}

TEST_F(Controls, SoundSwitchesWhenLeftControlIsReleasedWithMOrSHeld) {
  InjectKey(Key::M, true);
  Tap(Key::LeftControl);
  EXPECT_EQ(game.musicOn, 0) << "LeftControl released while M is held switches the music";
  Tap(Key::LeftControl);
  EXPECT_EQ(game.musicOn, 1) << "and again switches it back";
  InjectKey(Key::M, false);
  ReadMissionInput();

  InjectKey(Key::LeftControl, true);
  InjectKey(Key::S, true);
  ReadMissionInput();
  InjectKey(Key::S, false);
  ReadMissionInput();
  InjectKey(Key::LeftControl, false);
  ReadMissionInput();
  EXPECT_EQ(game.soundOn, 1) << "releasing S before LeftControl switches nothing in a mission";

  InjectKey(Key::S, true);
  InjectKey(Key::M, true);
  Tap(Key::LeftControl);
  EXPECT_EQ(game.soundOn, 0) << "both switch in the same frame";
  EXPECT_EQ(game.musicOn, 0);
  InjectKey(Key::S, false);
  InjectKey(Key::M, false);
  Tap(Key::LeftControl);
  EXPECT_EQ(game.soundOn, 0) << "LeftControl alone does nothing";
  EXPECT_EQ(game.musicOn, 0);
}

TEST_F(Controls, EnergyRegainsBelow50Only) {
  game.energy = 49.95f;
  ReadMissionInput();
  EXPECT_NEAR(game.energy, 50.05f, 1e-4f);
  ReadMissionInput();
  EXPECT_NEAR(game.energy, 50.05f, 1e-4f) << "at 50 or more nothing is regained";
}

TEST_F(Controls, TriggerFiresOnlyWhenAllowed) {
  InjectMouseButton(1, true);
  game.approachPhase = 1;
  ReadMissionInput();
  EXPECT_EQ(game.shots.Count(), 0) << "no firing during the approach";

  game.approachPhase = 0;
  game.missionResult = MissionResult::kDestroyed;
  ReadMissionInput();
  EXPECT_EQ(game.shots.Count(), 0) << "no firing during the destruction";

  game.missionResult = MissionResult::kRunningOrWon;
  game.energy = -0.1f;  // regains to exactly 0 in this frame
  ReadMissionInput();
  EXPECT_EQ(game.shots.Count(), 0) << "energy 0 cannot fire";

  game.energy = -0.05f;  // 0.05 after regaining
  ReadMissionInput();
  EXPECT_EQ(game.shots.Count(), 1) << "any energy above 0 fires";
  EXPECT_LT(game.energy, 0.0f) << "and may go negative";

  game.energy = 1330.0f;
  ReadMissionInput();
  EXPECT_EQ(game.shots.Count(), 1) << "the weapon's interval has not passed";
  game.nextShotTime = GetTickCount();
  ReadMissionInput();
  EXPECT_EQ(game.shots.Count(), 2) << "fires again once the interval has passed";
  InjectMouseButton(1, false);
  ReadMissionInput();

  game.nextShotTime = GetTickCount();
  InjectKey(Key::Space, true);
  ReadMissionInput();
  EXPECT_EQ(game.shots.Count(), 3) << "Space fires as well";
  InjectKey(Key::Space, false);
}

TEST_F(Controls, ClosingTheWindowIsTakenLikeEscape) {
  // The close request stays for the rest of the run, so it is made in a child process.
  EXPECT_EXIT(
      {
        InjectCloseRequest();
        ReadMissionInput();
        std::exit(game.leaveLoop == 1 && game.missionResult == MissionResult::kAborted ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace

namespace {

// Moves the pointer by the sticks every `stepMs` for about `totalMs`, with the stick held as it is;
// the distance the pointer moved to the right.
int MoveFor(int totalMs, int stepMs) {
  SetMousePos(0, 300);
  PollMouse();
  PollGamepad();
  MovePointerBySticks();
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(totalMs)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
    PollMouse();
    PollGamepad();
    MovePointerBySticks();
  }
  return MousePosX();
}

TEST_F(Controls, SticksMoveThePointerByTimeNotByFrames) {
  const int pad = PlugInTestPad();
  ASSERT_GE(pad, 0) << "setup: SDL attaches a virtual controller";
  SetTestPadStick(pad, kLeftStickX, 1.0);
  const int fast = MoveFor(400, 10);
  const int slow = MoveFor(400, 40);
  // 900 pixels a second at full deflection: about 360 in 0.4 s, however often the pointer is read.
  EXPECT_NEAR(fast, 360, 90) << "a full deflection crosses the screen in about a second";
  EXPECT_NEAR(slow, fast, 60) << "at a quarter of the polls the pointer goes as far";

  SetTestPadStick(pad, kLeftStickX, 0.3);
  const int gentle = MoveFor(400, 10);
  EXPECT_GT(gentle, 0) << "a small deflection moves";
  EXPECT_LT(gentle, 15) << "but slowly enough to aim a pixel at a time";
  SetTestPadStick(pad, kLeftStickX, 0.0);
  SetTestPadStick(pad, kRightStickY, 0.15);
  EXPECT_EQ(MoveFor(200, 10), 0) << "a stick resting within its dead zone moves nothing";
  SetTestPadStick(pad, kRightStickX, 1.0);
  EXPECT_GT(MoveFor(200, 10), 100) << "the right stick moves the pointer as the left one does";
  UnplugTestPad(pad);
  PollGamepad();
}

}  // namespace
