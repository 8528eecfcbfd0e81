// Test support: keyboard, mouse and window events put into SDL's queue as the window system would.
#include "platform/testing/input_injection.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/gamepad.h"
#include "platform/key_map.h"
#include "platform/pad_events.h"
#include "platform/presenter.h"

namespace {

struct TestPad {
  int deviceIndex = -1;
  SDL_Joystick* joystick = nullptr;
  Uint16 rumble = 0;  // the stronger motor's level as the controller was last told
};

// Owned one by one, so that the rumble callbacks' pointers stay valid as the list grows.
std::vector<std::unique_ptr<TestPad>> testPads;

int SDLCALL RecordRumble(void* pad, Uint16 low, Uint16 high) {
  static_cast<TestPad*>(pad)->rumble = std::max(low, high);
  return 0;
}

TestPad* Pad(int pad) {
  if (pad < 0 || pad >= int(testPads.size()) || testPads[std::size_t(pad)]->joystick == nullptr)
    return nullptr;
  return testPads[std::size_t(pad)].get();
}

void Push(SDL_Event& event) {
  event.common.timestamp = SDL_GetTicks();
  SDL_PushEvent(&event);
}

void PushKey(SDL_Scancode scancode, bool down, bool repeat, Uint16 modifiers) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  event.key.keysym.mod = modifiers;
  Push(event);
}

void PushWindowEvent(Uint8 windowEvent) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = windowEvent;
  event.window.windowID = SDL_GetWindowID(PresenterWindow());
  Push(event);
}

}  // namespace

void InjectKey(int key, bool down) {
  const SDL_Scancode scancode = ScancodeOfKeyCode(key);
  if (scancode != SDL_SCANCODE_UNKNOWN) PushKey(scancode, down, false, KMOD_NONE);
}

void InjectKeyAt(int position, bool down, bool repeat) {
  if (position >= 0 && position < SDL_NUM_SCANCODES)
    PushKey(static_cast<SDL_Scancode>(position), down, repeat, KMOD_NONE);
}

void InjectAltReturn() {
  PushKey(SDL_SCANCODE_RETURN, true, false, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, false, false, KMOD_LALT);
}

void InjectMouseMotion(int dx, int dy) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.xrel = dx;
  event.motion.yrel = dy;
  Push(event);
}

void InjectMouseButton(int button, bool down) {
  static constexpr Uint8 kSdlButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
  if (button < 1 || button > 3) return;
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = kSdlButtons[button - 1];
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  Push(event);
}

void InjectFocus(bool gained) {
  PushWindowEvent(gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void InjectRendererReset() {
  SDL_Event event{};
  event.type = SDL_RENDER_DEVICE_RESET;
  Push(event);
}

void InjectCloseRequest() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  Push(event);
}

int PlugInTestPad() {
  SDL_VirtualJoystickDesc description{};
  description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  description.naxes = SDL_CONTROLLER_AXIS_MAX;
  description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  description.name = "Test Pad";
  auto pad = std::make_unique<TestPad>();
  description.userdata = pad.get();
  description.Rumble = RecordRumble;
  pad->deviceIndex = SDL_JoystickAttachVirtualEx(&description);
  if (pad->deviceIndex < 0) return -1;
  pad->joystick = SDL_JoystickOpen(pad->deviceIndex);
  if (pad->joystick == nullptr) return -1;
  // A virtual trigger's axis spans the whole range: at rest it lies at its lowest, not in the middle.
  SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
  SDL_JoystickSetVirtualAxis(pad->joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  testPads.push_back(std::move(pad));
  return int(testPads.size()) - 1;
}

void UnplugTestPad(int pad) {
  TestPad* test = Pad(pad);
  if (test == nullptr) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(test->joystick);
  SDL_JoystickClose(test->joystick);
  test->joystick = nullptr;
  // The device index of a joystick changes as others come and go; its instance does not.
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
  }
}

void SetTestPadButton(int pad, int button, bool down) {
  TestPad* test = Pad(pad);
  if (test == nullptr) return;
  if (button == kPadLeftTrigger || button == kPadRightTrigger) {
    const auto axis =
        button == kPadLeftTrigger ? SDL_CONTROLLER_AXIS_TRIGGERLEFT : SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
    SDL_JoystickSetVirtualAxis(test->joystick, axis, down ? 32767 : -32768);
    return;
  }
  const SDL_GameControllerButton sdlButton = SdlButtonOf(button);
  if (sdlButton != SDL_CONTROLLER_BUTTON_INVALID)
    SDL_JoystickSetVirtualButton(test->joystick, sdlButton, down ? 1 : 0);
}

void SetTestPadStick(int pad, int axis, double deflection) {
  static constexpr SDL_GameControllerAxis kAxes[] = {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY,
                                                     SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY};
  TestPad* test = Pad(pad);
  if (test == nullptr || axis < kLeftStickX || axis > kRightStickY) return;
  SDL_JoystickSetVirtualAxis(test->joystick, kAxes[axis],
                             Sint16(std::clamp(deflection, -1.0, 1.0) * 32767.0));
}

double TestPadRumble(int pad) {
  TestPad* test = Pad(pad);
  return test == nullptr ? 0.0 : test->rumble / 65535.0;
}

int KeyPositionCount() {
  return SDL_NUM_SCANCODES;
}

int KeyPositionNamed(const char* name) {
  const SDL_Scancode scancode = SDL_GetScancodeFromName(name);
  return scancode == SDL_SCANCODE_UNKNOWN ? -1 : int(scancode);
}

std::string KeyPositionName(int position) {
  if (position < 0 || position >= SDL_NUM_SCANCODES) return "";
  return SDL_GetScancodeName(static_cast<SDL_Scancode>(position));
}

int KeyPositionOfCode(int key) {
  const SDL_Scancode scancode = ScancodeOfKeyCode(key);
  return scancode == SDL_SCANCODE_UNKNOWN ? -1 : int(scancode);
}
