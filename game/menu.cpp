// The menu screen: the main menu, the briefing page and the highscore list page.
#include "game/menu.h"

#include <cstdlib>

#include "base/translation.h"
#include "highscore/list_page.h"
#include "media/draw.h"
#include "media/quads.h"
#include "media/screen_size.h"
#include "media/slots.h"
#include "media/sprites.h"
#include "mission/effects.h"
#include "mission/game_state.h"
#include "platform/display.h"
#include "platform/gamepad.h"
#include "platform/input.h"

namespace {

// A 200 x 50 button: the sprite drawn keyed at (x, y) on page `page`, and the action of a click on it.
struct Button {
  MenuPage page;
  int sprite;
  int x;
  int y;
  MenuAction action;
};

// In the order they are tested. The name entry draws its own "Fertig".
constexpr Button kButtons[] = {
    {MenuPage::kMain, kStartButton, 300, 200, MenuAction::kStartMission},
    {MenuPage::kMain, kBriefingButton, 300, 280, MenuAction::kShowBriefing},
    {MenuPage::kMain, kListButton, 300, 360, MenuAction::kShowList},
    {MenuPage::kMain, kLeaveButton, 300, 440, MenuAction::kLeaveGame},
    {MenuPage::kBriefing, kDoneButton, 500, 530, MenuAction::kBriefingDone},
    {MenuPage::kHighscoreList, kDoneButton, 500, 530, MenuAction::kListDone},
    {MenuPage::kNameEntry, kDoneButton, 500, 530, MenuAction::kConfirmName},
};

// Strictly less than 100 and 25 pixels from the centre: the leftmost column and the top row of a
// button are outside, the rightmost and the bottom ones inside.
bool PointsAt(const Button& button, int x, int y) {
  return std::abs(x - (button.x + 100)) < 100 && std::abs(y - (button.y + 25)) < 25;
}

void DrawButtonsOf(MenuPage page) {
  for (const Button& button : kButtons) {
    if (button.page == page) BlitSpriteKeyed(button.sprite, button.x, button.y);
  }
}

// TRANSLATORS: the credit line at the foot of the main menu.
constexpr const char* kCreditLine = TrKey("Ein Spiel aus unserem kleinen Studio – viel Vergnügen!");

void WriteLine(const MenuLine& line) {
  SetDrawColor(line.red, line.green, line.blue);
  SetTextPosition(CentredOn(line.german.c_str(), line.x, line.text.c_str()), line.y);
  WriteText(line.text.c_str());
}

// TRANSLATORS: the main menu's line after a mission; two spaces where two are shown.
constexpr const char* kDestroyedLine = TrKey("Letzte Mission gescheitert!  Schiff  wurde zerstört!");
constexpr const char* kAbortedLine = TrKey("Letzte Mission gescheitert!  Abgebrochen!");
constexpr const char* kWonLine = TrKey("Mission erfolgreich!  -  Punktzahl:  %d  !!!");

}  // namespace

MenuLine LastMissionLine() {
  if (game.missionResult == MissionResult::kDestroyed) {
    return {Tr(kDestroyedLine), GermanText(kDestroyedLine), 150, 255, 150, 240, 540};
  }
  if (game.missionResult == MissionResult::kAborted) {
    return {Tr(kAbortedLine), GermanText(kAbortedLine), 150, 255, 150, 240, 540};
  }
  if (game.score != 0) {
    return {Tr(kWonLine, game.score), GermanText(kWonLine, game.score), 150, 150, 255, 260, 540};
  }
  return {"", "", 0, 0, 0, 0, 0};
}

void HandleSoundKeys() {
  if (!IsKeyDown(Key::LeftControl)) return;
  if (WasKeyReleased(Key::M)) ToggleMusic();
  if (WasKeyReleased(Key::S)) ToggleEffects();
}

void DrawMenu(int pointerX, int pointerY) {
  if (game.menuState == MenuPage::kMain || game.menuState == MenuPage::kHighscoreList) {
    BlitSprite(kBackgroundTopLeft, -40, -40);
    BlitSprite(kBackgroundTopRight, kScreenCentreX, -40);
    BlitSprite(kBackgroundBottomLeft, -40, kScreenCentreY);
    BlitSprite(kBackgroundBottomRight, kScreenCentreX, kScreenCentreY);
    BeginQuads();
    DrawQuadAlpha(kVeilQuad, 0, 0, 200);
    EndQuads();
    BlitSpriteKeyed(kTitleSprite, 190, 30);
  }

  if (game.menuState == MenuPage::kMain) {
    DrawButtonsOf(MenuPage::kMain);
    BeginDraw(BackBufferTarget());
    SetDrawFlags(kDrawTransparentText);
    const MenuLine result = LastMissionLine();
    if (!result.text.empty()) WriteLine(result);
    const std::string credit = Tr(kCreditLine);
    WriteLine({credit, credit, 0, 30, 0, 10, 575});  // at the left edge in every language
    EndDraw();
  } else if (game.menuState == MenuPage::kBriefing) {
    BlitSprite(kBriefingSprite, 0, 0);
    DrawButtonsOf(MenuPage::kBriefing);
  } else if (game.menuState == MenuPage::kHighscoreList) {
    DrawButtonsOf(MenuPage::kHighscoreList);
    DrawHighscoreList();
  }

  BlitSpriteKeyed(kPointerSprite, pointerX, pointerY);
  PresentFrame();
}

bool IsClickHeld() {
  const bool padClick = IsPadButtonDown(kPadA) || IsPadButtonDown(kPadRightTrigger);
  return IsMouseButtonDown(kLeftButton) || (game.menuState != MenuPage::kNameEntry && padClick);
}

void TrackClick(bool held) {
  if (held) {
    game.clickState = game.clickState == 0 ? 1 : 2;
  } else {
    game.clickState = 0;
  }
}

MenuAction MenuInput() {
  TrackClick(IsClickHeld());

  MenuAction action = MenuAction::kNone;
  if (game.clickState == 1) {
    const int x = MousePosX();
    const int y = MousePosY();
    for (const Button& button : kButtons) {
      if (button.page == game.menuState && PointsAt(button, x, y)) {
        action = button.action;
        break;
      }
    }
  }
  if (action != MenuAction::kNone) PlayEffect(kClickSound, 0);
  return action;
}
