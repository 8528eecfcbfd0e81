// Tests of the menu loop's frame: Escape, the closed window, and the action codes.
#include "game/main_loop.h"

#include <gtest/gtest.h>

#include "game_fixture.h"
#include "mission/game_state.h"
#include "platform/input.h"
#include "platform/testing/input_injection.h"

namespace {

using MenuLoop = GameScreen;

// One menu frame with the left button pressed at (x, y), then one with it released.
bool ClickFrame(int x, int y) {
  GameScreen::PointAt(x, y);
  InjectMouseButton(1, true);
  const bool mission = MenuFrame();
  InjectMouseButton(1, false);
  EXPECT_FALSE(MenuFrame()) << "releasing the button does nothing";
  return mission;
}

TEST_F(MenuLoop, ButtonsSwitchPagesLeaveOrStartAMission) {
  EXPECT_FALSE(ClickFrame(400, 305));
  EXPECT_EQ(game.menuState, MenuPage::kBriefing) << "Mission shows the briefing page";
  EXPECT_FALSE(ClickFrame(600, 555));
  EXPECT_EQ(game.menuState, MenuPage::kMain) << "its Fertig returns to the main menu";
  EXPECT_FALSE(ClickFrame(400, 385));
  EXPECT_EQ(game.menuState, MenuPage::kHighscoreList) << "Bestenliste shows the list page";
  EXPECT_FALSE(ClickFrame(600, 555));
  EXPECT_EQ(game.menuState, MenuPage::kMain) << "its Fertig returns to the main menu";
  EXPECT_EQ(game.leaveLoop, 0);
  EXPECT_TRUE(ClickFrame(400, 225)) << "Starten starts a mission";
  EXPECT_FALSE(ClickFrame(400, 465));
  EXPECT_EQ(game.leaveLoop, 1) << "Beenden leaves the program";
}

TEST_F(MenuLoop, EscapeLeavesOnRelease) {
  InjectKey(Key::Escape, true);
  MenuFrame();
  MenuFrame();
  EXPECT_EQ(game.leaveLoop, 0) << "holding Escape does nothing yet";
  InjectKey(Key::Escape, false);
  MenuFrame();
  EXPECT_EQ(game.leaveLoop, 1) << "releasing it leaves";
}

TEST_F(MenuLoop, EscapeAndStartenInOneFrameStillStartTheMission) {
  InjectKey(Key::Escape, true);
  MenuFrame();
  InjectKey(Key::Escape, false);
  PointAt(400, 225);
  InjectMouseButton(1, true);
  EXPECT_TRUE(MenuFrame()) << "the click starts the mission";
  EXPECT_EQ(game.leaveLoop, 1) << "with leaveLoop already set, so it runs one frame";
}

TEST_F(MenuLoop, ClosingTheWindowLeavesLikeEscape) {
  InjectCloseRequest();
  EXPECT_FALSE(MenuFrame());
  EXPECT_EQ(game.leaveLoop, 1) << "a close request ends the menu after the frame";
}

}  // namespace
