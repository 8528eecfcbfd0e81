// The main program: start-up, the menu loop, the mission loop and shutdown.
#include "game/main_loop.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <utility>

#include "base/program_folder.h"
#include "base/random.h"
#include "base/tick_count.h"
#include "game/end_mission.h"
#include "game/language.h"
#include "game/menu.h"
#include "game/pause_screen.h"
#include "game/resources.h"
#include "game/screenshot.h"
#include "game/settings.h"
#include "game/window_identity.h"
#include "highscore/highscore_table.h"
#include "media/quads.h"
#include "media/screen_size.h"
#include "mission/controls.h"
#include "mission/game_state.h"
#include "mission/mission_display.h"
#include "mission/mission_progress.h"
#include "mission/shots.h"
#include "platform/display.h"
#include "platform/events.h"
#include "platform/frame_pacing.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/multimedia.h"

namespace {

// The entry waits poll in a loop; the pause keeps them from occupying a whole core.
void PauseBetweenPolls() {
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Every stay in the menu starts on the main page with the pointer in the middle, and not before
// every key and the menu's click are up (a key or a trigger still held from the mission would act
// at once). Nothing is drawn meanwhile; a window being closed ends the waits.
void EnterMenu() {
  SetMousePos(kScreenCentreX, kScreenCentreY);
  SetFrameRate(20);
  game.menuState = MenuPage::kMain;
  game.leaveLoop = 0;
  PollKeyboard();
  while (IsKeyDown(Key::Any) && !WasCloseRequested()) {
    PauseBetweenPolls();
    PollKeyboard();
  }
  PollMouse();
  PollGamepad();
  while (IsClickHeld() && !WasCloseRequested()) {
    PauseBetweenPolls();
    PollMouse();
    PollGamepad();
  }
}

// One stay in the menu: true when a mission was chosen, false when the program is to end.
bool RunMenu() {
  EnterMenu();
  for (;;) {
    if (MenuFrame()) return true;
    if (game.leaveLoop != 0) return false;
  }
}

// A mission runs at least one frame; leaveLoop is tested only after a complete frame, and so is a
// request to pause.
void RunMission() {
  StartMission();
  do {
    MissionFrame();
    if (std::exchange(game.pauseRequested, 0) != 0 && game.leaveLoop == 0) RunPause();
  } while (game.leaveLoop == 0);
  EndMission();
}

}  // namespace

int OpenGameScreen() {
  IntroduceWindow();  // before the video system starts, which reads the window's class
  InitMultimedia();
  const int opened = OpenDisplay(kScreenWidth, kScreenHeight, 32, "Space");
  SetFrameRate(40);
  SetQuadSmoothing(1);
  return opened;
}

void MissionFrame() {
  // A volley's frame costs far more to draw than the others: its input is read early enough.
  int untilVolley = 0;
  if (NextVolleyIn(untilVolley)) ExpectHeavyFrameIn(untilVolley);
  EaseAim();
  ReadMissionInput();
  if (WasKeyReleased(Key::F10)) TakeScreenshot();  // before this frame draws anything
  AdvanceMission();
  UpdateObjects();
  DrawMissionFrame();
  KeepSettings();
}

bool MenuFrame() {
  PollKeyboard();
  PollMouse();
  PollGamepad();
  MovePointerBySticks();
  // Back and closing the window count as Escape; like Escape they act after this frame is drawn.
  if (WasKeyReleased(Key::Escape) || WasPadButtonPressed(kPadBack) || WasCloseRequested()) game.leaveLoop = 1;
  if (WasKeyReleased(Key::F10)) TakeScreenshot();  // before this frame draws anything
  HandleSoundKeys();
  DrawMenu();
  KeepSettings();
  switch (MenuInput()) {
    case MenuAction::kStartMission: return true;  // at once, even with leaveLoop set in this frame
    case MenuAction::kShowBriefing: game.menuState = MenuPage::kBriefing; break;
    case MenuAction::kShowList: game.menuState = MenuPage::kHighscoreList; break;
    case MenuAction::kLeaveGame: game.leaveLoop = 1; break;
    case MenuAction::kBriefingDone:
    case MenuAction::kListDone: game.menuState = MenuPage::kMain; break;
    default: break;
  }
  return false;
}

int RunGame(std::optional<bool> window, const std::string& language) {
  // The values before the first menu frame: zero, music and effects on, the debris array and the
  // three empty lists.
  ResetGameState();
  LoadSettings(window);  // the player's music, effects and window mode, before the display opens
  ProgramFolder();       // found now, before anything changes the working directory
  StartLanguage(language.empty() ? keptSettings.kept.language : language);  // before the pictures load
  SeedRandom(static_cast<std::uint32_t>(GetTickCount()));

  if (OpenGameScreen() == 0) {
    std::fprintf(stderr, "space: cannot open the 800 x 600 display: %s\n", DisplayError());
    ShutdownMultimedia();
    return 1;
  }
  LoadResources();
  LoadBuiltinPages();
  InitHighscores(10, "kvshs.dat");
  LoadHighscores();  // from here on the program's folder is the working directory

  while (RunMenu()) RunMission();

  SaveHighscores();
  ShutdownMultimedia();
  return 0;
}
