// The player's controls in a mission.
#include "mission/controls.h"

#include <cstdlib>

#include "base/tick_count.h"
#include "media/display.h"
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

}  // namespace

void EaseAim() {
  EaseAxis(aimX, mouseX);
  EaseAxis(aimY, mouseY);
  SnapAxis(aimX, mouseX);
  SnapAxis(aimY, mouseY);
}

void ReadMissionInput() {
  PollKeyboard();
  PollMouse();
  mouseX = MousePosX();
  mouseY = MousePosY();

  // Escape released or the window closed: abort, unless the mission is already lost.
  if (WasKeyReleased(Key::Escape) || WasCloseRequested()) {
    leaveLoop = 1;
    if (missionResult == 0) missionResult = -1;
  }

  // Up and Down do what keypad + and - do, for keyboards without a keypad; both held count once.
  if (IsKeyDown(Key::KeypadPlus) || IsKeyDown(Key::Up)) {
    speed -= 5;
    if (speed < -1000) speed = -1000;
  }
  if (IsKeyDown(Key::KeypadMinus) || IsKeyDown(Key::Down)) {
    speed += 5;
    if (speed > 0) speed = 0;
  }

  // In a mission the switch happens when LeftControl is released while M or S is held (the
  // menu does it the other way round).
  if (WasKeyReleased(Key::LeftControl)) {
    if (IsKeyDown(Key::M)) ToggleMusic();
    if (IsKeyDown(Key::S)) ToggleEffects();
  }

  // Every weapon key is asked every frame; with several released at once the highest wins.
  if (WasKeyReleased(Key::Digit1)) weapon = 1;
  if (WasKeyReleased(Key::Digit2)) weapon = 2;
  if (WasKeyReleased(Key::Digit3)) weapon = 3;
  if (WasKeyReleased(Key::Digit4)) weapon = 4;

  if (energy < 50.0f) energy += 0.1f;

  const bool trigger = IsKeyDown(Key::Space) != 0 || IsMouseButtonDown(1) != 0;
  if (trigger && GetTickCount() >= nextShotTime && approachPhase == 0 && missionResult == 0 &&
      energy > 0.0f) {
    FireWeapon();
  }
}
