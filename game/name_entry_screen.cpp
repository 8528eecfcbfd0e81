// The name-entry screen after a qualifying mission.
#include "game/name_entry_screen.h"

#include "game/menu.h"
#include "game/settings.h"
#include "highscore/highscore_table.h"
#include "highscore/name_entry.h"
#include "mission/controls.h"
#include "mission/game_state.h"
#include "platform/events.h"
#include "platform/gamepad.h"
#include "platform/input.h"

void StartNameEntry() {
  ResetNameEntry();
  game.menuState = MenuPage::kNameEntry;  // the page of its "Fertig" button
}

void NameEntryFrame() {
  PollKeyboard();
  PollMouse();
  PollGamepad();
  MovePointerBySticks();
  nameEntry.playerName = EditText(nameEntry.playerName, kMaxNameLength);
  nameEntry.playerName = EditTextByPad(nameEntry.playerName, kMaxNameLength);
  // The button is only asked when neither Return was released nor Start pressed, so only then does
  // clickState move on.
  const bool confirmed = WasKeyReleased(Key::Return) || WasPadButtonPressed(kPadStart) ||
                         MenuInput() == MenuAction::kConfirmName;
  if (confirmed && !nameEntry.playerName.empty()) nameEntry.nameDone = 1;
  DrawNameEntry();  // the confirming frame is drawn in full too
  KeepSettings();
}

void RunNameEntry() {
  StartNameEntry();
  // A closed window ends the screen as well; the main loop then shuts the program down.
  while (nameEntry.nameDone == 0 && WasCloseRequested() == 0) NameEntryFrame();
  // A confirmed name is never empty; after a close the name typed so far counts if there is one.
  if (nameEntry.playerName.empty()) return;
  InsertHighscore(nameEntry.playerName, game.score);
  // Saved at once, so that the result survives a run that does not reach the normal end.
  SaveHighscores();
}
