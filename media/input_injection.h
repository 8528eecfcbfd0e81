// Test support: events put into the layer's event queue exactly as the window system would deliver
// them, so that the next poll or present sees them. Key positions are SDL's scancodes (the USB usage
// numbers of the keys), named as SDL names them.
#pragma once

#include <string>

void InjectKey(int key, bool down);  // key: a Key:: code, pressed at its key position
// A key pressed or let go at `position`; `repeat` marks the keyboard's own auto-repeat.
void InjectKeyAt(int position, bool down, bool repeat = false);
void InjectAltReturn();                         // Return pressed and let go with Alt held
void InjectMouseMotion(int dx, int dy);         // relative motion in counts (pixels)
void InjectMouseButton(int button, bool down);  // a MouseButton
void InjectFocus(bool gained);                  // the window gains or loses the input focus
void InjectRendererReset();                     // the renderer lost its device and textures
void InjectCloseRequest();                      // the window manager asks the window to close

int KeyPositionCount();                      // positions 0 to this - 1 exist
int KeyPositionNamed(const char* name);      // -1 for a name SDL does not know
std::string KeyPositionName(int position);   // "" for a position without a name
int KeyPositionOfCode(int key);              // where InjectKey presses a key code; -1 for none
