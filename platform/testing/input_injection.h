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

// Virtual game controllers (SDL's virtual joysticks), plugged in and out, pressed and moved as a
// player would. Each gets a number; a button is a PadButton, the triggers are pressed all the way.
int PlugInTestPad();  // the pad's number, or -1 if SDL refuses
void UnplugTestPad(int pad);
void SetTestPadButton(int pad, int button, bool down);
enum TestPadStick : int { kLeftStickX, kLeftStickY, kRightStickX, kRightStickY };
void SetTestPadStick(int pad, int axis, double deflection);  // -1 to 1, right and down positive
double TestPadRumble(int pad);                               // the strength it rumbles at now, 0 to 1

int KeyPositionCount();                     // positions 0 to this - 1 exist
int KeyPositionNamed(const char* name);     // -1 for a name SDL does not know
std::string KeyPositionName(int position);  // "" for a position without a name
int KeyPositionOfCode(int key);             // where InjectKey presses a key code; -1 for none
