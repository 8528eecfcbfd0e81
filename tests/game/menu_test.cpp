// Tests of the menu screen: the buttons, the line about the last mission, the sound switches.
#include "game/menu.h"

#include <gtest/gtest.h>

#include <vector>

#include "game_fixture.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/sound.h"
#include "media/sprites.h"
#include "mission/game_state.h"
#include "mission/slots.h"
#include "tests/picture_diff.h"

namespace {

using Menu = GameScreen;

// One frame with `key` down and one with it up, each handled as the menu's sound keys.
void TapSoundKey(int key) {
  GameScreen::KeyFrame({key}, true);
  HandleSoundKeys();
  GameScreen::KeyFrame({key}, false);
  HandleSoundKeys();
}

TEST_F(Menu, StartenIsClickableWithoutItsLeftColumnAndTopRow) {
  EXPECT_EQ(ClickAt(300, 225), 0) << "|300 - 400| = 100 is not less than 100";
  EXPECT_EQ(ClickAt(301, 225), 1);
  EXPECT_EQ(ClickAt(499, 225), 1) << "the rightmost column counts";
  EXPECT_EQ(ClickAt(500, 225), 0);
  EXPECT_EQ(ClickAt(400, 200), 0) << "|200 - 225| = 25 is not less than 25";
  EXPECT_EQ(ClickAt(400, 201), 1);
  EXPECT_EQ(ClickAt(400, 249), 1) << "the bottom row counts";
  EXPECT_EQ(ClickAt(400, 250), 0);
  EXPECT_EQ(ClickAt(499, 249), 1) << "the bottom-right corner counts";
}

TEST_F(Menu, EachPageAnswersOnlyForItsOwnButtons) {
  EXPECT_EQ(ClickAt(400, 225), 1) << "Starten";
  EXPECT_EQ(ClickAt(400, 305), 2) << "Mission";
  EXPECT_EQ(ClickAt(400, 385), 3) << "Bestenliste";
  EXPECT_EQ(ClickAt(400, 465), 4) << "Beenden";
  EXPECT_EQ(ClickAt(600, 555), 0) << "the main menu has no Fertig button";
  EXPECT_EQ(ClickAt(400, 260), 0) << "the gap between two buttons";

  game.menuState = 1;
  EXPECT_EQ(ClickAt(600, 555), 10) << "Fertig on the briefing page";
  EXPECT_EQ(ClickAt(400, 225), 0) << "the briefing page has no Starten button";
  game.menuState = 2;
  EXPECT_EQ(ClickAt(600, 555), 20) << "Fertig on the list page";
  game.menuState = 9;
  EXPECT_EQ(ClickAt(600, 555), 90) << "Fertig of the name entry";
  game.menuState = 5;
  EXPECT_EQ(ClickAt(600, 555), 0) << "any other page has no buttons";
}

TEST_F(Menu, APressActsOnceAndOnlyInTheFrameTheButtonGoesDown) {
  PointAt(400, 225);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), 1) << "the frame the button goes down";
  EXPECT_EQ(game.clickState, 1);
  for (int frame = 0; frame < 3; ++frame) {
    PollMouse();
    EXPECT_EQ(MenuInput(), 0) << "holding the button does nothing more";
    EXPECT_EQ(game.clickState, 2) << "held since an earlier frame";
  }
  SetLeftButton(false);
  EXPECT_EQ(MenuInput(), 0) << "releasing does nothing";
  EXPECT_EQ(game.clickState, 0);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), 1) << "the next press acts again";
}

TEST_F(Menu, MovingOntoAButtonWithTheButtonHeldDoesNothing) {
  PointAt(100, 100);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), 0) << "pressed beside every button";
  PointAt(400, 225);
  EXPECT_EQ(MenuInput(), 0) << "dragged onto Starten while held";
  SetLeftButton(false);
  EXPECT_EQ(MenuInput(), 0);
  SetLeftButton(true);
  EXPECT_EQ(MenuInput(), 1) << "a fresh press on Starten";
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
  game.missionResult = 0;
  game.score = 0;
  EXPECT_EQ(LastMissionLine().text, "") << "no line before the first mission or after a won mission with 0";

  game.missionResult = 1;
  game.score = 700;
  MenuLine line = LastMissionLine();
  EXPECT_EQ(line.text, "Letzte Mission gescheitert!  Schiff  wurde zerst\xF6rt!")
      << "ship destroyed, with the points of the mission ignored; the o umlaut is the byte 0xF6";
  EXPECT_EQ(line.text.size(), 52u) << "two spaces after the exclamation mark and after Schiff";
  EXPECT_EQ((std::vector<int>{line.red, line.green, line.blue, line.x, line.y}),
            (std::vector<int>{150, 255, 150, 240, 540}));
  game.missionResult = 400;
  EXPECT_EQ(LastMissionLine().text, line.text) << "every destruction frame count gives the same line";

  game.missionResult = -1;
  line = LastMissionLine();
  EXPECT_EQ(line.text, "Letzte Mission gescheitert!  Abgebrochen!") << "aborted, even with points";
  EXPECT_EQ((std::vector<int>{line.red, line.green, line.blue, line.x, line.y}),
            (std::vector<int>{150, 255, 150, 240, 540}));

  game.missionResult = 0;
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
    int missionResult;
    int score;
  };
  for (const Case& c : {Case{-1, 700}, Case{3, 0}, Case{0, 1234}}) {
    SCOPED_TRACE(testing::Message() << "missionResult " << c.missionResult << ", score " << c.score);
    game.missionResult = c.missionResult;
    game.score = c.score;
    const Picture drawn = DrawnMenu();
    const MenuLine line = LastMissionLine();
    // The same page without a line (no outcome yet), with the line written over it by hand.
    game.missionResult = 0;
    game.score = 0;
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

  game.menuState = 2;
  const Picture list = DrawnMenu();
  game.missionResult = -1;
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
