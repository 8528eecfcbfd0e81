// SDL's key positions as set-1 key codes, for the event pump and the injected test input.
#pragma once

#include <SDL.h>

// The key code (Key:: in platform/input.h) of a key position; 0 for a position without one.
int KeyCodeOfScancode(SDL_Scancode scancode);

// The key position of a key code; SDL_SCANCODE_UNKNOWN for a code without one.
SDL_Scancode ScancodeOfKeyCode(int code);
