// The player's controls in a mission.
#include "mission/controls.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "mission/effects.h"
#include "mission/game_state.h"
#include "mission/shots.h"
#include "platform/events.h"
#include "platform/gamepad.h"
#include "platform/input.h"

namespace {

constexpr int kAimStep = 10;  // crosshair pixels per frame and axis

// How the controller's sticks move the pointer.
constexpr double kDeadZone = 0.2;     // of a stick's full deflection: a stick at rest drifts
constexpr double kFullSpeed = 900.0;  // pixels a second at full deflection: the screen in about a second
constexpr double kLongestStep = 0.1;  // seconds: a longer gap (a stall, a pause) counts as this

using StickClock = std::chrono::steady_clock;

struct StickPointer {
  StickClock::time_point lastMotion;  // of the last MovePointerBySticks; none before the first
  bool moved = false;                 // lastMotion holds a value
  double carryX = 0;                  // fractions of a pixel not yet moved
  double carryY = 0;
};

StickPointer stickPointer;

// Adds one stick's velocity in pixels a second: nothing within the dead zone, then growing with the
// square of the deflection beyond it, so that a small deflection aims a pixel at a time.
void AddStickVelocity(double x, double y, double& vx, double& vy) {
  const double length = std::hypot(x, y);
  if (length <= kDeadZone) return;
  const double beyond = std::min(1.0, (length - kDeadZone) / (1.0 - kDeadZone));
  const double speed = beyond * beyond * kFullSpeed;
  vx += x / length * speed;
  vy += y / length * speed;
}

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

void MovePointerBySticks() {
  const StickClock::time_point now = StickClock::now();
  const double elapsed =
      stickPointer.moved
          ? std::min(kLongestStep, std::chrono::duration<double>(now - stickPointer.lastMotion).count())
          : 0.0;
  stickPointer.lastMotion = now;
  stickPointer.moved = true;
  const StickDeflection sticks = PadSticks();
  double vx = 0;
  double vy = 0;
  AddStickVelocity(sticks.leftX, sticks.leftY, vx, vy);
  AddStickVelocity(sticks.rightX, sticks.rightY, vx, vy);
  if (vx == 0 && vy == 0) {
    stickPointer.carryX = stickPointer.carryY = 0;
    return;
  }
  const double x = stickPointer.carryX + vx * elapsed;
  const double y = stickPointer.carryY + vy * elapsed;
  const int dx = static_cast<int>(std::trunc(x));
  const int dy = static_cast<int>(std::trunc(y));
  stickPointer.carryX = x - dx;
  stickPointer.carryY = y - dy;
  MoveMousePos(dx, dy);
}

void EaseAim() {
  EaseAxis(game.aimX, game.mouseX);
  EaseAxis(game.aimY, game.mouseY);
  SnapAxis(game.aimX, game.mouseX);
  SnapAxis(game.aimY, game.mouseY);
}

void ReadMissionInput() {
  PollKeyboard();
  PollMouse();
  PollGamepad();
  MovePointerBySticks();
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
  if (!trigger) game.triggerLocked = 0;
  if (trigger && game.triggerLocked == 0 && UntilNextVolley() <= 0 && game.approachPhase == 0 &&
      game.missionResult == MissionResult::kRunningOrWon && game.energy > 0.0f) {
    FireWeapon();
  }
}

void ResumeMissionControls() {
  // The pause polled the mouse to see its click; what it moved meanwhile does not count.
  SetMousePos(game.mouseX, game.mouseY);
  stickPointer.moved = false;
  stickPointer.carryX = stickPointer.carryY = 0;
  game.triggerLocked = 1;
}
