// The playing game controller and its events between two polls.
#include "platform/pad_events.h"

#include <algorithm>
#include <iterator>

namespace {

// A trigger counts as a button pressed past a third of its travel, and let go below a quarter.
constexpr int kTriggerPressed = 32767 / 3;
constexpr int kTriggerReleased = 32767 / 4;

struct PadState {
  bool on = false;                     // StartPadEvents was called, StopPadEvents not since
  SDL_GameController* pad = nullptr;   // the controller that plays; nullptr for none
  SDL_JoystickID id = -1;              // its instance
  bool unplugged = false;              // the playing one went away since the last take
  bool live[kPadButtonCount] = {};     // held at the last event
  bool pressed[kPadButtonCount] = {};  // went down since the last take
};

PadState state;

// SDL's button for each of ours, in the order of PadButton; the triggers are axes.
constexpr SDL_GameControllerButton kSdlButtons[kPadButtonCount] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_INVALID,
    SDL_CONTROLLER_BUTTON_INVALID,
};

// Our button for one of SDL's; -1 for a button the game does not use.
int PadButtonOf(Uint8 button) {
  for (int ours = 0; ours < kPadButtonCount; ++ours) {
    if (kSdlButtons[ours] == button) return ours;
  }
  return -1;
}

void SetButton(int button, bool down) {
  if (button < 0) return;
  if (down && !state.live[button]) state.pressed[button] = true;
  state.live[button] = down;
}

bool TriggerHeld(SDL_GameControllerAxis axis) {
  return SDL_GameControllerGetAxis(state.pad, axis) > kTriggerPressed;
}

// Plays the first controller SDL knows of, if any. What it holds already counts as held, not as
// pressed: a controller taking over does not fire or accept anything by itself.
void OpenFirstPad() {
  for (int index = 0; index < SDL_NumJoysticks() && state.pad == nullptr; ++index) {
    if (!SDL_IsGameController(index)) continue;
    state.pad = SDL_GameControllerOpen(index);
  }
  if (state.pad == nullptr) return;
  state.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(state.pad));
  for (int ours = 0; ours < kPadButtonCount; ++ours) {
    if (kSdlButtons[ours] != SDL_CONTROLLER_BUTTON_INVALID)
      state.live[ours] = SDL_GameControllerGetButton(state.pad, kSdlButtons[ours]) != 0;
  }
  state.live[kPadLeftTrigger] = TriggerHeld(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
  state.live[kPadRightTrigger] = TriggerHeld(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
}

void ClosePad() {
  if (state.pad != nullptr) SDL_GameControllerClose(state.pad);
  state.pad = nullptr;
  state.id = -1;
  std::fill(std::begin(state.live), std::end(state.live), false);
}

double Deflection(SDL_GameControllerAxis axis) {
  return state.pad == nullptr ? 0.0 : std::max(-1.0, SDL_GameControllerGetAxis(state.pad, axis) / 32767.0);
}

}  // namespace

SDL_GameControllerButton SdlButtonOf(int button) {
  return button >= 0 && button < kPadButtonCount ? kSdlButtons[button] : SDL_CONTROLLER_BUTTON_INVALID;
}

void StartPadEvents() {
  StopPadEvents();
  state.on = true;
  OpenFirstPad();
}

void StopPadEvents() {
  ClosePad();
  state = PadState{};
}

void HandlePadEvent(const SDL_Event& event) {
  if (!state.on) return;
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (state.pad == nullptr) OpenFirstPad();
      return;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (event.cdevice.which != state.id) return;
      ClosePad();
      state.unplugged = true;
      OpenFirstPad();  // another one connected before plays on
      return;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (event.cbutton.which == state.id)
        SetButton(PadButtonOf(event.cbutton.button), event.type == SDL_CONTROLLERBUTTONDOWN);
      return;
    case SDL_CONTROLLERAXISMOTION: {
      if (event.caxis.which != state.id) return;
      const int button = event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT    ? kPadLeftTrigger
                         : event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT ? kPadRightTrigger
                                                                                : -1;
      if (button < 0) return;
      const int value = event.caxis.value;
      if (value > kTriggerPressed) SetButton(button, true);
      if (value < kTriggerReleased) SetButton(button, false);
      return;
    }
    default: return;
  }
}

PadEvents TakePadEvents() {
  PadEvents taken;
  taken.connected = state.pad != nullptr;
  taken.unplugged = state.unplugged;
  state.unplugged = false;
  for (int b = 0; b < kPadButtonCount; ++b) {
    taken.held[b] = state.live[b] || state.pressed[b];
    taken.pressed[b] = state.pressed[b];
    state.pressed[b] = false;
  }
  return taken;
}

StickDeflection LivePadSticks() {
  return {Deflection(SDL_CONTROLLER_AXIS_LEFTX), Deflection(SDL_CONTROLLER_AXIS_LEFTY),
          Deflection(SDL_CONTROLLER_AXIS_RIGHTX), Deflection(SDL_CONTROLLER_AXIS_RIGHTY)};
}

void RumbleOpenPad(double strength, int milliseconds) {
  if (state.pad == nullptr || milliseconds < 0) return;
  const auto level =
      milliseconds == 0 ? Uint16{0} : static_cast<Uint16>(std::clamp(strength, 0.0, 1.0) * 65535.0);
  SDL_GameControllerRumble(state.pad, level, level, static_cast<Uint32>(milliseconds));
}
