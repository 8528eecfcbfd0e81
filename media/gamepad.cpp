// Game controllers: the snapshot of the playing one, and its sticks as pointer motion.
#include "media/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "media/events.h"
#include "media/pad_events.h"

namespace {

constexpr double kDeadZone = 0.2;     // of a stick's full deflection: a stick at rest drifts
constexpr double kFullSpeed = 900.0;  // pixels a second at full deflection
constexpr double kLongestStep = 0.1;  // seconds: a longer gap (a stall, a pause) counts as this

struct GamepadState {
  bool ready = false;     // InitGamepads succeeded and no release since
  PadEvents snapshot;     // of the last PollGamepad
  Uint64 lastMotion = 0;  // counter at the last TakeStickMotion; 0 before the first, which moves nothing
  double carryX = 0;      // fractions of a pixel not yet moved
  double carryY = 0;
};

GamepadState gamepads;

// One stick's velocity in pixels a second.
void StickVelocity(double x, double y, double& vx, double& vy) {
  const double length = std::hypot(x, y);
  if (length <= kDeadZone) return;
  const double beyond = std::min(1.0, (length - kDeadZone) / (1.0 - kDeadZone));
  const double speed = beyond * beyond * kFullSpeed;
  vx += x / length * speed;
  vy += y / length * speed;
}

bool ValidButton(int button) {
  return button >= 0 && button < kPadButtonCount;
}

}  // namespace

int InitGamepads() {
  ReleaseGamepads();
  // SDL would drop a controller's events while no window of its own has the focus, which the
  // headless drivers never give; the polls go by the game's own idea of the focus instead.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return 0;
  gamepads.ready = true;
  StartPadEvents();
  return 1;
}

int PollGamepad() {
  if (!gamepads.ready) return 0;
  PumpEvents();
  gamepads.snapshot = TakePadEvents();
  // Without the focus the controller belongs to whatever window has it: its buttons count for
  // nothing here (its comings and goings still do).
  if (!IsDisplayActive()) {
    std::fill(std::begin(gamepads.snapshot.held), std::end(gamepads.snapshot.held), false);
    std::fill(std::begin(gamepads.snapshot.pressed), std::end(gamepads.snapshot.pressed), false);
  }
  return gamepads.snapshot.connected ? 1 : 0;
}

bool IsPadButtonDown(int button) {
  return ValidButton(button) && gamepads.snapshot.held[button];
}

bool WasPadButtonPressed(int button) {
  return ValidButton(button) && gamepads.snapshot.pressed[button];
}

bool IsPadConnected() {
  return gamepads.snapshot.connected;
}

bool WasPadUnplugged() {
  return gamepads.snapshot.unplugged;
}

void TakeStickMotion(int& dx, int& dy) {
  dx = dy = 0;
  if (!gamepads.ready) return;
  const Uint64 now = SDL_GetPerformanceCounter();
  const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
  const double elapsed =
      gamepads.lastMotion == 0 ? 0.0 : std::min(kLongestStep, double(now - gamepads.lastMotion) / frequency);
  gamepads.lastMotion = now;
  const StickDeflection sticks = PadSticks();
  double vx = 0;
  double vy = 0;
  StickVelocity(sticks.leftX, sticks.leftY, vx, vy);
  StickVelocity(sticks.rightX, sticks.rightY, vx, vy);
  if (vx == 0 && vy == 0) {
    gamepads.carryX = gamepads.carryY = 0;
    return;
  }
  const double x = gamepads.carryX + vx * elapsed;
  const double y = gamepads.carryY + vy * elapsed;
  dx = static_cast<int>(std::trunc(x));
  dy = static_cast<int>(std::trunc(y));
  gamepads.carryX = x - dx;
  gamepads.carryY = y - dy;
}

void RumblePad(double strength, int milliseconds) {
  if (gamepads.ready) RumbleOpenPad(strength, milliseconds);
}

void ReleaseGamepads() {
  if (!gamepads.ready) return;
  StopPadEvents();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  gamepads = GamepadState{};
}
