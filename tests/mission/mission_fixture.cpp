// Shared set-up of the mission tests.
#include "mission_fixture.h"

#include "media/quads.h"
#include "mission/aliens.h"
#include "mission/controls.h"
#include "mission/mission_display.h"
#include "mission/mission_progress.h"
#include "platform/display.h"
#include "platform/frame_pacing.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/sound.h"

void StartMediaOnce() {
  static const bool started = [] {
    InitDisplay();
    InitQuads();
    InitMouse();
    InitKeyboard();
    InitAudio();
    InitGamepads();
    OpenDisplay(800, 600, 32, "Space");
    SetFrameRate(0);
    return true;
  }();
  (void)started;
}

void ResetInput() {
  // Apply whatever an earlier test left queued, then start both devices afresh.
  PollKeyboard();
  PollMouse();
  InitKeyboard();
  InitMouse();
  SetMousePos(400, 300);
  PollMouse();
}

Alien& StillAlien(int type, int x, int y, int z) {
  SpawnAlien(x, y, z, type);
  Alien& alien = game.aliens.At(game.aliens.Count() - 1);
  alien.drift = 0.0f;
  return alien;
}

void RunMissionFrame() {
  EaseAim();
  ReadMissionInput();
  AdvanceMission();
  UpdateObjects();
  DrawMissionFrame();
}
