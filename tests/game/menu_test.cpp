// Tests of the menu screen: the buttons, the line about the last mission, the sound switches.
#include "game/menu.h"

#include <gtest/gtest.h>

#include <vector>

#include "game_fixture.h"
#include "media/draw.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/game_state.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "tests/picture_diff.h"

namespace {

using Menu = GameScreen;
using enum MenuAction;

// One frame with `key` down and one with it up, each handled as the menu's sound keys.
void TapSoundKey(int key) {
  GameScreen::KeyFrame({key}, true);
  HandleSoundKeys();
  GameScreen::KeyFrame({key}, false);
  HandleSoundKeys();
}

TEST_F(Menu, StartenIsClickableWithoutItsLeftColumnAndTopRow) {
  EXPECT_EQ(ClickAt(300, 225), kNone) << "|300 - 400| = 100 is not less than 100";
  EXPECT_EQ(ClickAt(301, 225), kStartMission);
  EXPECT_EQ(ClickAt(499, 225), kStartMission) << "the rightmost column counts";
  EXPECT_EQ(ClickAt(500, 225), kNone);
  EXPECT_EQ(ClickAt(400, 200), kNone) << "|200 - 225| = 25 is not less than 25";
  EXPECT_EQ(ClickAt(400, 201), kStartMission);
  EXPECT_EQ(ClickAt(400, 249), kStartMission) << "the bottom row counts";
  EXPECT_EQ(ClickAt(400, 250), kNone);
  EXPECT_EQ(ClickAt(499, 249), kStartMission) << "the bottom-right corner counts";
}

TEST_F(Menu, EachPageAnswersOnlyForItsOwnButtons) {
  EXPECT_EQ(ClickAt(400, 225), kStartMission) << "Starten";
  EXPECT_EQ(ClickAt(400, 305), kShowBriefing) << "Mission";
  EXPECT_EQ(ClickAt(400, 385), kShowList) << "Bestenliste";
  EXPECT_EQ(ClickAt(400, 465), kLeaveGame) << "Beenden";
  EXPECT_EQ(ClickAt(600, 555), kNone) << "the main menu has no Fertig button";
  EXPECT_EQ(ClickAt(400, 260), kNone) << "the gap between two buttons";

  game.menuState = MenuPage::kBriefing;
  EXPECT_EQ(ClickAt(600, 555), kBriefingDone) << "Fertig on the briefing page";
  EXPECT_EQ(ClickAt(400, 225), kNone) << "the briefing page has no Starten button";
  game.menuState = MenuPage::kHighscoreList;
  EXPECT_EQ(ClickAt(600, 555), kListDone) << "Fertig on the list page";
  game.menuState = MenuPage::kNameEntry;
  EXPECT_EQ(ClickAt(600, 555), kConfirmName) << "Fertig of the name entry";
}

TEST_F(Menu, APressActsOnceAndOnlyInTheFrameTheButtonGoesDown) {
  PointAt(400, 225);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), kStartMission) << "the frame the button goes down";
  EXPECT_EQ(game.clickState, 1);
  for (int frame = 0; frame < 3; ++frame) {
    PollMouse();
    EXPECT_EQ(MenuInput(), kNone) << "holding the button does nothing more";
    EXPECT_EQ(game.clickState, 2) << "held since an earlier frame";
  }
  SetLeftButton(false);
  EXPECT_EQ(MenuInput(), kNone) << "releasing does nothing";
  EXPECT_EQ(game.clickState, 0);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), kStartMission) << "the next press acts again";
}

TEST_F(Menu, MovingOntoAButtonWithTheButtonHeldDoesNothing) {
  PointAt(100, 100);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), kNone) << "pressed beside every button";
  PointAt(400, 225);
  EXPECT_EQ(MenuInput(), kNone) << "dragged onto Starten while held";
  SetLeftButton(false);
  EXPECT_EQ(MenuInput(), kNone);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), kStartMission) << "a fresh press on Starten";
}

TEST_F(Menu, AButtonClicksOnlyWithEffectsOn) {
  ClickAt(100, 100);
  EXPECT_EQ(IsWavePlaying(kClickSound), 0) << "a press beside the buttons is silent";
  ClickAt(400, 305);
  EXPECT_EQ(IsWavePlaying(kClickSound), 1) << "a press on a button plays the click";
  StopWave(kClickSound);
  game.soundOn = 0;
  ClickAt(400, 305);
  EXPECT_EQ(IsWavePlaying(kClickSound), 0) << "no click with the effects switched off";
}

TEST_F(Menu, LastMissionLineNamesTheOutcome) {
  EXPECT_EQ(LastMissionLine().text, "") << "no line before the first mission or after a won mission with 0";

  game.missionResult = MissionResult::kDestroyed;
  game.destructionFrames = 1;
  game.score = 700;
  MenuLine line = LastMissionLine();
  EXPECT_EQ(line.text, "Letzte Mission gescheitert!  Schiff  wurde zerst\xF6rt!")
      << "ship destroyed, with the points of the mission ignored; the o umlaut is the byte 0xF6";
  EXPECT_EQ(line.text.size(), 52u) << "two spaces after the exclamation mark and after Schiff";
  EXPECT_EQ((std::vector<int>{line.red, line.green, line.blue, line.x, line.y}),
            (std::vector<int>{150, 255, 150, 240, 540}));
  game.destructionFrames = 401;
  EXPECT_EQ(LastMissionLine().text, line.text) << "the line does not change during the destruction";

  game.missionResult = MissionResult::kAborted;
  line = LastMissionLine();
  EXPECT_EQ(line.text, "Letzte Mission gescheitert!  Abgebrochen!") << "aborted, even with points";
  EXPECT_EQ((std::vector<int>{line.red, line.green, line.blue, line.x, line.y}),
            (std::vector<int>{150, 255, 150, 240, 540}));

  game.missionResult = MissionResult::kRunningOrWon;
  game.score = 1234;
  line = LastMissionLine();
  EXPECT_EQ(line.text, "Mission erfolgreich!  -  Punktzahl:  1234  !!!");
  EXPECT_EQ((std::vector<int>{line.red, line.green, line.blue, line.x, line.y}),
            (std::vector<int>{150, 150, 255, 260, 540}));
  game.score = -56;
  EXPECT_EQ(LastMissionLine().text, "Mission erfolgreich!  -  Punktzahl:  -56  !!!") << "signed decimal";
}

TEST_F(Menu, LastMissionLineIsDrawnAtItsPlaceOnlyOnTheMainPage) {
  struct Case {
    MissionResult missionResult;
    int score;
  };
  for (const Case& c : {Case{MissionResult::kAborted, 700}, Case{MissionResult::kDestroyed, 0},
                        Case{MissionResult::kRunningOrWon, 1234}}) {
    SCOPED_TRACE(testing::Message() << "missionResult " << static_cast<int>(c.missionResult) << ", score "
                                    << c.score);
    game.missionResult = c.missionResult;
    game.score = c.score;
    const Picture drawn = DrawnMenu();
    const MenuLine line = LastMissionLine();
    // The same page without a line (no outcome yet), with the line written over it by hand.
    ResetGameState();
    DrawnMenu();
    BeginDraw(BackBufferTarget());
    SetDrawFlags(kDrawTransparentText);
    SetDrawColor(line.red, line.green, line.blue);
    SetTextPosition(line.x, line.y);
    WriteText(line.text.c_str());
    EndDraw();
    EXPECT_EQ(DifferingPixels(drawn, BackBuffer(), kScreenWidth), 0)
        << "the line at (" << line.x << ", 540) in its colour";
  }

  game.menuState = MenuPage::kHighscoreList;
  const Picture list = DrawnMenu();
  game.missionResult = MissionResult::kAborted;
  EXPECT_EQ(DifferingPixels(DrawnMenu(), list, kScreenWidth), 0) << "the list page has no result line";
}

TEST_F(Menu, VeilDarkensTheBackgroundWithAlpha200) {
  const Picture menu = DrawnMenu();
  BlitSprite(50, -40, -40);
  BlitSprite(51, 400, -40);
  BlitSprite(52, -40, 300);
  BlitSprite(53, 400, 300);
  PresentFrame();
  PresentFrame();
  const Picture background = BackBuffer();
  // Left of the buttons and the logo, above the text lines: only background and veil.
  for (int y : {150, 300, 450}) {
    const unsigned int under = PixelAt(background, 40, y);
    const unsigned int over = PixelAt(menu, 40, y);
    const int channels[3][2] = {{int(under >> 16 & 0xFF), int(over >> 16 & 0xFF)},
                                {int(under >> 8 & 0xFF), int(over >> 8 & 0xFF)},
                                {int(under & 0xFF), int(over & 0xFF)}};
    const int veil[3] = {0, 50, 0};
    for (int c = 0; c < 3; ++c) {
      const double expected = (veil[c] * 200 + channels[c][0] * 55) / 255.0;
      EXPECT_NEAR(channels[c][1], expected, 2.0)
          << "(0, 50, 0) laid over the background with alpha 200 of 255, channel " << c << " at y " << y;
    }
  }
}

TEST_F(Menu, ControlWithMOrSSwitchesMusicAndEffects) {
  KeyFrame({Key::LeftControl, Key::M}, true);
  HandleSoundKeys();
  EXPECT_EQ(game.musicOn, 1) << "nothing while M is held";
  KeyFrame({Key::M}, false);
  HandleSoundKeys();
  EXPECT_EQ(game.musicOn, 0) << "releasing M with LeftControl held switches the music off";
  TapSoundKey(Key::M);
  EXPECT_EQ(game.musicOn, 1) << "and on again";
  EXPECT_EQ(IsWavePlaying(kMusicLoop), 1) << "switching the music on starts the loop";
  TapSoundKey(Key::M);
  EXPECT_EQ(IsWavePlaying(kMusicLoop), 0) << "switching it off stops the loop";
  TapSoundKey(Key::M);
  TapSoundKey(Key::S);
  EXPECT_EQ(game.soundOn, 0) << "releasing S with LeftControl held switches the effects";
  EXPECT_EQ(game.musicOn, 1) << "S leaves the music alone";
  KeyFrame({Key::LeftControl}, false);

  TapSoundKey(Key::M);
  EXPECT_EQ(game.musicOn, 1) << "M alone switches nothing on the menu";
}

TEST_F(Menu, ReleaseOfMIsNoticedWhenControlIsHeldAgain) {
  KeyFrame({Key::LeftControl, Key::M}, true);
  HandleSoundKeys();
  KeyFrame({Key::LeftControl}, false);
  HandleSoundKeys();
  KeyFrame({Key::M}, false);
  HandleSoundKeys();
  EXPECT_EQ(game.musicOn, 1) << "M released while LeftControl is up";
  KeyFrame({Key::LeftControl}, true);
  HandleSoundKeys();
  EXPECT_EQ(game.musicOn, 0) << "the release of M counts in the next frame with LeftControl held";
  HandleSoundKeys();
  EXPECT_EQ(game.musicOn, 0) << "a release is reported once";
}

}  // namespace
