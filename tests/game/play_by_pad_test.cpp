// The game played with a controller: the menu, a mission, the name entry, a controller unplugged
// and plugged in, the rumble, and the pause. SDL's virtual joysticks stand in for real controllers.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/random.h"
#include "base/tick_count.h"
#include "game/end_mission.h"
#include "game/main_loop.h"
#include "game/name_entry_screen.h"
#include "game/pause_screen.h"
#include "game_fixture.h"
#include "highscore/highscore_table.h"
#include "highscore/name_entry.h"
#include "mission/effects.h"
#include "mission/game_state.h"
#include "mission/mission_progress.h"
#include "platform/frame_pacing.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/testing/input_injection.h"

namespace {

class PlayByPad : public GameScreen {
 protected:
  void SetUp() override {
    GameScreen::SetUp();
    pad_ = PlugInTestPad();
    ASSERT_GE(pad_, 0) << "setup: SDL attaches a virtual controller";
    PollGamepad();
  }

  // A mission past its approach, unpaced, the fire interval waived before each frame.
  static void StartPlainMission() {
    SeedRandom(5u);
    StartMission();
    SetFrameRate(0);
    game.approachPhase = 0;
    game.speed = -80;
  }

  static void Frame() {
    game.nextShotTime = GetTickCount();
    MissionFrame();
  }

  // The button pressed for one frame and let go in the next.
  void PressInMission(int button) const {
    SetTestPadButton(pad_, button, true);
    Frame();
    SetTestPadButton(pad_, button, false);
    Frame();
  }

  int pad_ = -1;
};

TEST_F(PlayByPad, TheStickPointsAndAClicksOnTheMenu) {
  PointAt(400, 300);
  SetTestPadStick(pad_, kLeftStickY, -0.6);
  // Up until the pointer lies on "Starten" (y 201 to 249), as a player would hold the stick.
  for (int frame = 0; frame < 400 && MousePosY() > 240; ++frame) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_FALSE(MenuFrame());
  }
  SetTestPadStick(pad_, kLeftStickY, 0.0);
  ASSERT_GT(MousePosY(), 200) << "the pointer moved only as far as the stick was held";
  ASSERT_LE(MousePosY(), 240);
  SetTestPadButton(pad_, kPadA, true);
  EXPECT_TRUE(MenuFrame()) << "A clicks \"Starten\"";
  SetTestPadButton(pad_, kPadA, false);

  EXPECT_FALSE(MenuFrame());
  SetTestPadButton(pad_, kPadBack, true);
  MenuFrame();
  EXPECT_EQ(game.leaveLoop, 1) << "Back leaves the menu, as Escape does";
}

TEST_F(PlayByPad, AMissionFlownByController) {
  StartPlainMission();
  Frame();
  const int startX = game.mouseX;
  SetTestPadStick(pad_, kRightStickX, 1.0);
  for (int frame = 0; frame < 10; ++frame) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Frame();
  }
  SetTestPadStick(pad_, kRightStickX, 0.0);
  EXPECT_GT(game.mouseX, startX + 100) << "the stick moves the aim as the mouse does";
  EXPECT_NE(game.aimX, game.mouseX) << "and the crosshair trails it by its 10 pixels a frame";

  const int fired = game.shotsFired;
  SetTestPadButton(pad_, kPadA, true);
  Frame();
  EXPECT_GT(game.shotsFired, fired) << "A fires";
  SetTestPadButton(pad_, kPadA, false);
  Frame();
  const int afterA = game.shotsFired;
  SetTestPadButton(pad_, kPadRightTrigger, true);
  Frame();
  SetTestPadButton(pad_, kPadRightTrigger, false);
  EXPECT_GT(game.shotsFired, afterA) << "so does the right trigger";

  ASSERT_EQ(game.weapon, 2);
  PressInMission(kPadRightShoulder);
  EXPECT_EQ(game.weapon, 3) << "RB: the next weapon";
  PressInMission(kPadLeftShoulder);
  PressInMission(kPadLeft);
  EXPECT_EQ(game.weapon, 1) << "LB and the D-pad's left: the weapons before";
  PressInMission(kPadLeft);
  EXPECT_EQ(game.weapon, 4) << "from 1 back round to 4";
  PressInMission(kPadRight);
  EXPECT_EQ(game.weapon, 1) << "and from 4 on to 1";

  const int speed = game.speed;
  SetTestPadButton(pad_, kPadUp, true);
  Frame();
  Frame();
  SetTestPadButton(pad_, kPadUp, false);
  EXPECT_EQ(game.speed, speed - 10) << "the D-pad held up: faster by 5 a frame, as keypad +";
  SetTestPadButton(pad_, kPadDown, true);
  Frame();
  SetTestPadButton(pad_, kPadDown, false);
  EXPECT_EQ(game.speed, speed - 5) << "held down: slower";

  SetTestPadButton(pad_, kPadStart, true);
  Frame();
  SetTestPadButton(pad_, kPadStart, false);
  EXPECT_EQ(game.pauseRequested, 1) << "Start pauses after the frame";
  game.pauseRequested = 0;
  EXPECT_EQ(game.leaveLoop, 0);

  SetTestPadButton(pad_, kPadBack, true);
  Frame();
  EXPECT_EQ(game.leaveLoop, 1) << "Back aborts, as Escape does";
  EXPECT_EQ(game.missionResult, MissionResult::kAborted);
}

TEST_F(PlayByPad, ANameEnteredByController) {
  StartNameEntry();
  const auto press = [this](int button) {
    SetTestPadButton(pad_, button, true);
    NameEntryFrame();
    SetTestPadButton(pad_, button, false);
    NameEntryFrame();
  };
  press(kPadA);
  EXPECT_EQ(nameEntry.playerName, "") << "A accepts nothing before the D-pad offered a letter";
  press(kPadDown);
  EXPECT_EQ(nameEntry.padLetter, 0) << "the D-pad's first step offers a";
  press(kPadDown);
  press(kPadA);
  EXPECT_EQ(nameEntry.playerName, "*") << "down from a wraps to the last character";
  press(kPadUp);
  press(kPadUp);
  press(kPadRightShoulder);
  press(kPadRight);
  press(kPadRightTrigger);
  EXPECT_EQ(nameEntry.playerName, "*bbb")
      << "RB, the D-pad's right and the right trigger accept the letter too";
  press(kPadB);
  press(kPadB);
  press(kPadLeftShoulder);
  EXPECT_EQ(nameEntry.playerName, "*") << "B and LB delete the last letter";
  for (int step = 0; step < 70 && kNameCharacters[nameEntry.padLetter] != ' '; ++step) press(kPadUp);
  ASSERT_EQ(kNameCharacters[nameEntry.padLetter], ' ') << "setup: the D-pad reached the space";
  press(kPadA);
  press(kPadLeft);
  press(kPadLeft);
  EXPECT_EQ(nameEntry.playerName, "");
  press(kPadA);
  EXPECT_EQ(nameEntry.playerName, "") << "a name never begins with a space";
  press(kPadStart);
  EXPECT_EQ(nameEntry.nameDone, 0) << "an empty name is not confirmed";
  press(kPadUp);
  press(kPadA);
  SetTestPadButton(pad_, kPadStart, true);
  NameEntryFrame();
  EXPECT_EQ(nameEntry.nameDone, 1) << "Start confirms, as Return does";
  EXPECT_EQ(nameEntry.playerName, ";");
}

TEST_F(PlayByPad, AControllerUnpluggedPausesAndOnePluggedInLaterPlays) {
  StartPlainMission();
  Frame();
  ASSERT_EQ(game.pauseRequested, 0);
  UnplugTestPad(pad_);
  Frame();
  EXPECT_EQ(game.pauseRequested, 1) << "the mission pauses when its controller goes away";
  EXPECT_FALSE(PauseFrame()) << "and stays paused";
  const int later = PlugInTestPad();
  ASSERT_GE(later, 0);
  EXPECT_FALSE(PauseFrame());
  SetTestPadButton(later, kPadStart, true);
  EXPECT_TRUE(PauseFrame()) << "a controller plugged in later plays: its Start goes on";
}

TEST_F(PlayByPad, RumbleOnAHitAndTheFinalBlastWhileEffectsAreOn) {
  StartPlainMission();
  const auto hitTheHull = [] {
    Shot& shot = game.shots.Append();
    shot.x = game.shipX;
    shot.y = game.shipY;
    shot.z = 1000.0f;
    shot.direction = -1;
    shot.quad = 11;  // an alien of type 1 fired it
    const int hull = game.hull;
    UpdateObjects();
    ASSERT_LT(game.hull, hull) << "setup: the shot struck the hull";
  };
  const auto waitAndPoll = [](int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    PollGamepad();
  };
  hitTheHull();
  EXPECT_GT(TestPadRumble(pad_), 0.0) << "a hit on the hull rumbles";
  waitAndPoll(500);
  EXPECT_EQ(TestPadRumble(pad_), 0.0) << "briefly";

  game.soundOn = 0;
  hitTheHull();
  EXPECT_EQ(TestPadRumble(pad_), 0.0) << "not while effects are switched off";
  game.hull = -1;
  AdvanceMission();
  game.destructionFrames = 299;
  AdvanceMission();
  EXPECT_EQ(TestPadRumble(pad_), 0.0) << "nor the final blast";

  game.soundOn = 1;
  game.destructionFrames = 299;
  AdvanceMission();
  EXPECT_NEAR(TestPadRumble(pad_), 1.0, 0.01) << "the final blast rumbles at full strength";
  waitAndPoll(500);
  EXPECT_GT(TestPadRumble(pad_), 0.0) << "and long";
}

TEST_F(PlayByPad, ThePauseAnAbortAndTheEndOfAMissionStopTheRumble) {
  for (int place = 0; place < 10; ++place) InsertHighscore("best", 1000000);  // no name entry
  StartPlainMission();
  Frame();
  RumbleForFinalBlast();
  ASSERT_NEAR(TestPadRumble(pad_), 1.0, 0.01) << "setup: the final blast's long rumble";
  StartPause();
  EXPECT_EQ(TestPadRumble(pad_), 0.0) << "the pause stops it";
  SetTestPadButton(pad_, kPadStart, true);
  ASSERT_TRUE(PauseFrame());
  SetTestPadButton(pad_, kPadStart, false);
  EndPause();

  RumbleForFinalBlast();
  SetTestPadButton(pad_, kPadBack, true);
  Frame();
  SetTestPadButton(pad_, kPadBack, false);
  ASSERT_EQ(game.leaveLoop, 1) << "setup: Back aborts";
  EndMission();
  EXPECT_EQ(TestPadRumble(pad_), 0.0) << "an abort stops it";

  StartPlainMission();
  game.hull = -1;
  Frame();
  game.destructionFrames = 400;  // the final blast a hundred frames ago
  RumbleForFinalBlast();
  Frame();
  ASSERT_EQ(game.leaveLoop, 1) << "setup: the destruction's last frame";
  EndMission();
  EXPECT_EQ(TestPadRumble(pad_), 0.0) << "and so does the end of the mission";
}

}  // namespace
