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
#include "game/command_line.h"
#include "game/end_mission.h"
#include "game/frame_rate.h"
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
#include "mission/mission_step.h"
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

// The pointer where the last menu frame drew it. The menu is drawn anew only when a step ran (the
// first frame of every stay in the menu runs one) or the pointer moved, so that a menu left alone
// costs little at any frame rate.
struct MenuPicture {
  int pointerX = 0;
  int pointerY = 0;
};

MenuPicture menuPicture;

// A step of the menu reads the input and acts on Escape, F10 and the sound keys; the click on a
// button is acted on after the frame is drawn (ActOnMenuClick), so that the frame of the click still
// shows the page it was made on.
void ReadMenuStep() {
  PollKeyboard();
  PollMouse();
  PollGamepad();
  MovePointerBySticks();
  // Back and closing the window count as Escape; like Escape they act after this frame is drawn.
  if (WasKeyReleased(Key::Escape) || WasPadButtonPressed(kPadBack) || WasCloseRequested()) game.leaveLoop = 1;
  if (WasKeyReleased(Key::F10)) TakeScreenshot();  // before this frame draws anything
  HandleSoundKeys();
  KeepSettings();
}

// The action of a button clicked at the last step; true when "Starten" was clicked.
bool ActOnMenuClick() {
  switch (MenuInput()) {
    case MenuAction::kStartMission: return true;  // at once, even with leaveLoop set in this step
    case MenuAction::kShowBriefing: game.menuState = MenuPage::kBriefing; break;
    case MenuAction::kShowList: game.menuState = MenuPage::kHighscoreList; break;
    case MenuAction::kLeaveGame: game.leaveLoop = 1; break;
    case MenuAction::kBriefingDone:
    case MenuAction::kListDone: game.menuState = MenuPage::kMain; break;
    default: break;
  }
  return false;
}

// The menu's page with the pointer where it is now, presented; when no step ran and the pointer
// stands where the last frame drew it, nothing new is shown.
void ShowMenu(bool stepped) {
  int x = 0;
  int y = 0;
  PeekMousePos(x, y);
  if (!stepped && x == menuPicture.pointerX && y == menuPicture.pointerY) {
    HoldFrame();
    return;
  }
  DrawMenu(x, y);
  menuPicture = {x, y};
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
    if (std::exchange(game.pauseRequested, 0) != 0 && game.leaveLoop == 0) {
      // The world stands still under the pause: no step comes due, and the next frame goes on from
      // the fraction of the step the last one showed.
      HoldSteps(true);
      RunPause();
      HoldSteps(false);
    }
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
  const int steps = TakeDueSteps();
  for (int step = 0; step < steps; ++step) {
    MissionStep();
    if (WasKeyReleased(Key::F10)) TakeScreenshot();  // before this frame draws anything
    // The mission's end and a pause come after the step that asked for them, and after its frame.
    if (game.leaveLoop != 0 || game.pauseRequested != 0) break;
  }
  DrawMissionFrame(StepFraction());
  KeepSettings();
}

bool MenuFrame() {
  const int steps = TakeDueSteps();
  for (int step = 0; step < steps; ++step) {
    if (step > 0 && ActOnMenuClick()) return true;
    ReadMenuStep();
    if (game.leaveLoop != 0) break;
  }
  ShowMenu(steps > 0);
  return steps > 0 && ActOnMenuClick();
}

int RunGame(const CommandLine& line) {
  // The values before the first menu frame: zero, music and effects on, the debris array and the
  // three empty lists.
  ResetGameState();
  LoadSettings(line.window);  // the player's music, effects and window mode, before the display opens
  ProgramFolder();       // found now, before anything changes the working directory
  StartLanguage(line.language.empty() ? keptSettings.kept.language : line.language);  // before the pictures load
  SeedRandom(static_cast<std::uint32_t>(GetTickCount()));

  if (OpenGameScreen() == 0) {
    std::fprintf(stderr, "space: cannot open the 800 x 600 display: %s\n", DisplayError());
    ShutdownMultimedia();
    return 1;
  }
  const int rate = ChosenFrameRate(line.framesPerSecond, keptSettings.kept.framesPerSecond, DisplayRefreshRate());
  // At 41 frames follow the steps, each showing its step whole; otherwise they follow the display.
  SetDisplayFrameRate(rate == kClassicFramesPerSecond ? 0 : rate);
  LoadResources();
  LoadBuiltinPages();
  InitHighscores(10, "kvshs.dat");
  LoadHighscores();  // from here on the program's folder is the working directory

  while (RunMenu()) RunMission();

  SaveHighscores();
  ShutdownMultimedia();
  return 0;
}
