// Game controllers: the snapshot of the playing one.
#include "platform/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

#include "platform/events.h"
#include "platform/pad_events.h"

namespace {

struct GamepadState {
  bool ready = false;      // InitGamepads succeeded and no release since
  PadEvents snapshot;      // of the last PollGamepad
  StickDeflection sticks;  // at the last PollGamepad
};

GamepadState gamepads;

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
  gamepads.sticks = LivePadSticks();
  // Without the focus the controller belongs to whatever window has it: its buttons count for
  // nothing here (its comings and goings still do).
  if (!IsDisplayActive()) {
    std::fill(std::begin(gamepads.snapshot.held), std::end(gamepads.snapshot.held), false);
    std::fill(std::begin(gamepads.snapshot.pressed), std::end(gamepads.snapshot.pressed), false);
    gamepads.sticks = StickDeflection{};
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

StickDeflection PadSticks() {
  return gamepads.sticks;
}

void RumblePad(double strength, int milliseconds) {
  if (gamepads.ready) RumbleOpenPad(strength, milliseconds);
}

void StopPadRumble() {
  if (gamepads.ready) RumbleOpenPad(0.0, 0);
}

void ReleaseGamepads() {
  if (!gamepads.ready) return;
  StopPadEvents();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  gamepads = GamepadState{};
}
