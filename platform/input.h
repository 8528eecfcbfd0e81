// Keyboard and mouse, read once per frame into snapshots.
#pragma once

// Key codes are the set-1 scan codes of key positions (US names; on a German keyboard the key Y
// is labelled Z and the key Z is labelled Y).
namespace Key {
// clang-format off
enum : int {
  Any = -1,
  Escape = 0x01,
  Digit1 = 0x02, Digit2 = 0x03, Digit3 = 0x04, Digit4 = 0x05, Digit5 = 0x06,
  Digit6 = 0x07, Digit7 = 0x08, Digit8 = 0x09, Digit9 = 0x0A, Digit0 = 0x0B,
  Minus = 0x0C, Equals = 0x0D, Backspace = 0x0E, Tab = 0x0F,
  Q = 0x10, W = 0x11, E = 0x12, R = 0x13, T = 0x14, Y = 0x15, U = 0x16, I = 0x17, O = 0x18, P = 0x19,
  LeftBracket = 0x1A, RightBracket = 0x1B, Return = 0x1C, LeftControl = 0x1D,
  A = 0x1E, S = 0x1F, D = 0x20, F = 0x21, G = 0x22, H = 0x23, J = 0x24, K = 0x25, L = 0x26,
  Semicolon = 0x27, Apostrophe = 0x28, Grave = 0x29, LeftShift = 0x2A, Backslash = 0x2B,
  Z = 0x2C, X = 0x2D, C = 0x2E, V = 0x2F, B = 0x30, N = 0x31, M = 0x32,
  Comma = 0x33, Period = 0x34, Slash = 0x35, RightShift = 0x36, KeypadMultiply = 0x37,
  LeftAlt = 0x38, Space = 0x39, CapsLock = 0x3A,
  F1 = 0x3B, F2 = 0x3C, F3 = 0x3D, F4 = 0x3E, F5 = 0x3F, F6 = 0x40, F7 = 0x41, F8 = 0x42, F9 = 0x43,
  F10 = 0x44,
  NumLock = 0x45, ScrollLock = 0x46,
  Keypad7 = 0x47, Keypad8 = 0x48, Keypad9 = 0x49, KeypadMinus = 0x4A,
  Keypad4 = 0x4B, Keypad5 = 0x4C, Keypad6 = 0x4D, KeypadPlus = 0x4E,
  Keypad1 = 0x4F, Keypad2 = 0x50, Keypad3 = 0x51, Keypad0 = 0x52, KeypadPeriod = 0x53,
  Oem102 = 0x56, F11 = 0x57, F12 = 0x58,
  KeypadEnter = 0x9C, RightControl = 0x9D, KeypadDivide = 0xB5, PrintScreen = 0xB7, RightAlt = 0xB8,
  Pause = 0xC5, Home = 0xC7, Up = 0xC8, PageUp = 0xC9, Left = 0xCB, Right = 0xCD, End = 0xCF,
  Down = 0xD0, PageDown = 0xD1, Insert = 0xD2, Delete = 0xD3, LeftGui = 0xDB, RightGui = 0xDC,
  Menu = 0xDD,
};
// clang-format on
}  // namespace Key

// Mouse buttons as IsMouseButtonDown numbers them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 3 };

int InitKeyboard();  // 1 ok, 0 failed
// Takes this frame's keyboard snapshot; 1 if it is fresh. A key that went down since the last poll
// is held in this snapshot even if it is up again, so a tap between two frames is never lost. Both
// polls first wait for the frame's input time (WaitToReadInput).
int PollKeyboard();
// Key held at the last snapshot. For Key::Any: whether any key 0 to 254 is held.
bool IsKeyDown(int key);
// True once, at the first call after a snapshot shows the key up that an earlier call saw held.
// Key::Any updates every key 0 to 254 and reports whether any of them was released.
bool WasKeyReleased(int key);
void ReleaseKeyboard();

int InitMouse();  // 1 ok, 0 failed
// Applies every motion and button event since the last poll; the movement of one poll is summed and
// then clamped to the screen. A button that went down since the last poll is held in this one even if
// it is up again (a touchpad tap). 1 if events were applied; 0 while the window has no focus, whose
// motion is dropped (the buttons are applied once the focus is back).
int PollMouse();
int MousePosX();                     // screen pixels, 0 to 799 after a poll
int MousePosY();                     // screen pixels, 0 to 599 after a poll
bool IsMouseButtonDown(int button);  // a MouseButton held at the last poll
// Moves the pointer as mouse motion would, clamped to the screen (a controller's stick moves it so);
// nothing while the window has no focus.
void MoveMousePos(int dx, int dy);
void SetMousePos(int x, int y);  // not clamped until the next poll
void ReleaseMouse();
