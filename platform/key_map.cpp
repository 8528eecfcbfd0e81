// The table from SDL's key positions to set-1 key codes; extended keys are 0x80 + their code.
#include "platform/key_map.h"

#include <array>

#include "platform/input.h"

namespace {

struct KeyPair {
  SDL_Scancode scancode;
  int code;
};

constexpr KeyPair kKeyPairs[] = {
    {SDL_SCANCODE_ESCAPE, Key::Escape},
    {SDL_SCANCODE_1, Key::Digit1},
    {SDL_SCANCODE_2, Key::Digit2},
    {SDL_SCANCODE_3, Key::Digit3},
    {SDL_SCANCODE_4, Key::Digit4},
    {SDL_SCANCODE_5, Key::Digit5},
    {SDL_SCANCODE_6, Key::Digit6},
    {SDL_SCANCODE_7, Key::Digit7},
    {SDL_SCANCODE_8, Key::Digit8},
    {SDL_SCANCODE_9, Key::Digit9},
    {SDL_SCANCODE_0, Key::Digit0},
    {SDL_SCANCODE_MINUS, Key::Minus},
    {SDL_SCANCODE_EQUALS, Key::Equals},
    {SDL_SCANCODE_BACKSPACE, Key::Backspace},
    {SDL_SCANCODE_TAB, Key::Tab},
    {SDL_SCANCODE_Q, Key::Q},
    {SDL_SCANCODE_W, Key::W},
    {SDL_SCANCODE_E, Key::E},
    {SDL_SCANCODE_R, Key::R},
    {SDL_SCANCODE_T, Key::T},
    {SDL_SCANCODE_Y, Key::Y},
    {SDL_SCANCODE_U, Key::U},
    {SDL_SCANCODE_I, Key::I},
    {SDL_SCANCODE_O, Key::O},
    {SDL_SCANCODE_P, Key::P},
    {SDL_SCANCODE_LEFTBRACKET, Key::LeftBracket},
    {SDL_SCANCODE_RIGHTBRACKET, Key::RightBracket},
    {SDL_SCANCODE_RETURN, Key::Return},
    {SDL_SCANCODE_LCTRL, Key::LeftControl},
    {SDL_SCANCODE_A, Key::A},
    {SDL_SCANCODE_S, Key::S},
    {SDL_SCANCODE_D, Key::D},
    {SDL_SCANCODE_F, Key::F},
    {SDL_SCANCODE_G, Key::G},
    {SDL_SCANCODE_H, Key::H},
    {SDL_SCANCODE_J, Key::J},
    {SDL_SCANCODE_K, Key::K},
    {SDL_SCANCODE_L, Key::L},
    {SDL_SCANCODE_SEMICOLON, Key::Semicolon},
    {SDL_SCANCODE_APOSTROPHE, Key::Apostrophe},
    {SDL_SCANCODE_GRAVE, Key::Grave},
    {SDL_SCANCODE_LSHIFT, Key::LeftShift},
    {SDL_SCANCODE_BACKSLASH, Key::Backslash},
    {SDL_SCANCODE_NONUSHASH, Key::Backslash},  // the ISO key left of Return sits where \ is
    {SDL_SCANCODE_Z, Key::Z},
    {SDL_SCANCODE_X, Key::X},
    {SDL_SCANCODE_C, Key::C},
    {SDL_SCANCODE_V, Key::V},
    {SDL_SCANCODE_B, Key::B},
    {SDL_SCANCODE_N, Key::N},
    {SDL_SCANCODE_M, Key::M},
    {SDL_SCANCODE_COMMA, Key::Comma},
    {SDL_SCANCODE_PERIOD, Key::Period},
    {SDL_SCANCODE_SLASH, Key::Slash},
    {SDL_SCANCODE_RSHIFT, Key::RightShift},
    {SDL_SCANCODE_KP_MULTIPLY, Key::KeypadMultiply},
    {SDL_SCANCODE_LALT, Key::LeftAlt},
    {SDL_SCANCODE_SPACE, Key::Space},
    {SDL_SCANCODE_CAPSLOCK, Key::CapsLock},
    {SDL_SCANCODE_F1, Key::F1},
    {SDL_SCANCODE_F2, Key::F2},
    {SDL_SCANCODE_F3, Key::F3},
    {SDL_SCANCODE_F4, Key::F4},
    {SDL_SCANCODE_F5, Key::F5},
    {SDL_SCANCODE_F6, Key::F6},
    {SDL_SCANCODE_F7, Key::F7},
    {SDL_SCANCODE_F8, Key::F8},
    {SDL_SCANCODE_F9, Key::F9},
    {SDL_SCANCODE_F10, Key::F10},
    {SDL_SCANCODE_NUMLOCKCLEAR, Key::NumLock},
    {SDL_SCANCODE_SCROLLLOCK, Key::ScrollLock},
    {SDL_SCANCODE_KP_7, Key::Keypad7},
    {SDL_SCANCODE_KP_8, Key::Keypad8},
    {SDL_SCANCODE_KP_9, Key::Keypad9},
    {SDL_SCANCODE_KP_MINUS, Key::KeypadMinus},
    {SDL_SCANCODE_KP_4, Key::Keypad4},
    {SDL_SCANCODE_KP_5, Key::Keypad5},
    {SDL_SCANCODE_KP_6, Key::Keypad6},
    {SDL_SCANCODE_KP_PLUS, Key::KeypadPlus},
    {SDL_SCANCODE_KP_1, Key::Keypad1},
    {SDL_SCANCODE_KP_2, Key::Keypad2},
    {SDL_SCANCODE_KP_3, Key::Keypad3},
    {SDL_SCANCODE_KP_0, Key::Keypad0},
    {SDL_SCANCODE_KP_PERIOD, Key::KeypadPeriod},
    {SDL_SCANCODE_NONUSBACKSLASH, Key::Oem102},
    {SDL_SCANCODE_F11, Key::F11},
    {SDL_SCANCODE_F12, Key::F12},
    {SDL_SCANCODE_KP_ENTER, Key::KeypadEnter},
    {SDL_SCANCODE_RCTRL, Key::RightControl},
    {SDL_SCANCODE_KP_DIVIDE, Key::KeypadDivide},
    {SDL_SCANCODE_PRINTSCREEN, Key::PrintScreen},
    {SDL_SCANCODE_RALT, Key::RightAlt},
    {SDL_SCANCODE_PAUSE, Key::Pause},
    {SDL_SCANCODE_HOME, Key::Home},
    {SDL_SCANCODE_UP, Key::Up},
    {SDL_SCANCODE_PAGEUP, Key::PageUp},
    {SDL_SCANCODE_LEFT, Key::Left},
    {SDL_SCANCODE_RIGHT, Key::Right},
    {SDL_SCANCODE_END, Key::End},
    {SDL_SCANCODE_DOWN, Key::Down},
    {SDL_SCANCODE_PAGEDOWN, Key::PageDown},
    {SDL_SCANCODE_INSERT, Key::Insert},
    {SDL_SCANCODE_DELETE, Key::Delete},
    {SDL_SCANCODE_LGUI, Key::LeftGui},
    {SDL_SCANCODE_RGUI, Key::RightGui},
    {SDL_SCANCODE_APPLICATION, Key::Menu},
};

constexpr std::array<unsigned char, SDL_NUM_SCANCODES> BuildKeyTable() {
  std::array<unsigned char, SDL_NUM_SCANCODES> table{};
  for (const KeyPair& pair : kKeyPairs) table[pair.scancode] = static_cast<unsigned char>(pair.code);
  return table;
}

constexpr std::array<unsigned char, SDL_NUM_SCANCODES> kKeyTable = BuildKeyTable();

// The first position listed for each code (\ is the US key, not the ISO one).
constexpr std::array<SDL_Scancode, 256> BuildScancodeTable() {
  std::array<SDL_Scancode, 256> table{};
  for (const KeyPair& pair : kKeyPairs) {
    if (table[pair.code] == SDL_SCANCODE_UNKNOWN) table[pair.code] = pair.scancode;
  }
  return table;
}

constexpr std::array<SDL_Scancode, 256> kScancodeTable = BuildScancodeTable();

}  // namespace

int KeyCodeOfScancode(SDL_Scancode scancode) {
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return kKeyTable[scancode];
}

SDL_Scancode ScancodeOfKeyCode(int code) {
  if (code < 0 || code >= 256) return SDL_SCANCODE_UNKNOWN;
  return kScancodeTable[code];
}
