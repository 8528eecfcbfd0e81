// The player's controls in a mission.
#include "mission/controls.h"

#include <cstdlib>

#include "base/tick_count.h"
#include "media/events.h"
#include "media/gamepad.h"
#include "media/input.h"
#include "mission/effects.h"
#include "mission/game_state.h"
#include "mission/shots.h"

namespace {

constexpr int kAimStep = 10;  // crosshair pixels per frame and axis

// One axis of the crosshair: a step of 10 towards the mouse, then a snap when less than 10 off.
void EaseAxis(int& aim, int mouse) {
  if (aim > mouse) {
    aim -= kAimStep;
  } else if (aim < mouse) {
    aim += kAimStep;
  }
}

void SnapAxis(int& aim, int mouse) {
  if (std::abs(mouse - aim) < kAimStep) aim = mouse;
}

// LB or the D-pad's left picks the weapon before the selected one, RB or its right the one after,
// wrapping from 4 to 1 and back.
void StepWeaponByPad() {
  if (WasPadButtonPressed(kPadLeftShoulder) || WasPadButtonPressed(kPadLeft)) {
    game.weapon = game.weapon <= 1 ? 4 : game.weapon - 1;
  }
  if (WasPadButtonPressed(kPadRightShoulder) || WasPadButtonPressed(kPadRight)) {
    game.weapon = game.weapon >= 4 ? 1 : game.weapon + 1;
  }
}

}  // namespace

void EaseAim() {
  EaseAxis(game.aimX, game.mouseX);
  EaseAxis(game.aimY, game.mouseY);
  SnapAxis(game.aimX, game.mouseX);
  SnapAxis(game.aimY, game.mouseY);
}

void ReadMissionInput() {
  PollKeyboard();
  PollMouse();  // the sticks of a controller move the mouse's position too
  PollGamepad();
  game.mouseX = MousePosX();
  game.mouseY = MousePosY();

  // Escape released, Back pressed or the window closed: abort, unless the mission is already lost.
  if (WasKeyReleased(Key::Escape) || WasPadButtonPressed(kPadBack) || WasCloseRequested()) {
    game.leaveLoop = 1;
    if (game.missionResult == MissionResult::kRunningOrWon) game.missionResult = MissionResult::kAborted;
  }

  // P released, Start pressed, the focus or the playing controller lost: the mission pauses after
  // this frame.
  if (WasKeyReleased(Key::P) || WasPadButtonPressed(kPadStart) || !IsDisplayActive() || WasPadUnplugged()) {
    game.pauseRequested = 1;
  }

  // Up and Down do what keypad + and - do, for keyboards without a keypad, and so does the
  // controller's D-pad; any of them held counts once.
  if (IsKeyDown(Key::KeypadPlus) || IsKeyDown(Key::Up) || IsPadButtonDown(kPadUp)) {
    game.speed -= 5;
    if (game.speed < -1000) game.speed = -1000;
  }
  if (IsKeyDown(Key::KeypadMinus) || IsKeyDown(Key::Down) || IsPadButtonDown(kPadDown)) {
    game.speed += 5;
    if (game.speed > 0) game.speed = 0;
  }

  // In a mission the switch happens when LeftControl is released while M or S is held (the
  // menu does it the other way round).
  if (WasKeyReleased(Key::LeftControl)) {
    if (IsKeyDown(Key::M)) ToggleMusic();
    if (IsKeyDown(Key::S)) ToggleEffects();
  }

  // Every weapon key is asked every frame; with several released at once the highest wins.
  if (WasKeyReleased(Key::Digit1)) game.weapon = 1;
  if (WasKeyReleased(Key::Digit2)) game.weapon = 2;
  if (WasKeyReleased(Key::Digit3)) game.weapon = 3;
  if (WasKeyReleased(Key::Digit4)) game.weapon = 4;
  StepWeaponByPad();

  if (game.energy < 50.0f) game.energy += 0.1f;

  const bool trigger = IsKeyDown(Key::Space) || IsMouseButtonDown(kLeftButton) || IsPadButtonDown(kPadA) ||
                       IsPadButtonDown(kPadRightTrigger);
  if (trigger && GetTickCount() >= game.nextShotTime && game.approachPhase == 0 &&
      game.missionResult == MissionResult::kRunningOrWon && game.energy > 0.0f) {
    FireWeapon();
  }
}
