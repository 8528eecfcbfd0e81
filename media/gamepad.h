// Game controllers, through SDL's game controller API and its database of mappings (the
// environment variable SDL_GAMECONTROLLERCONFIG adds to it). The first controller connected plays;
// one plugged in later plays when none does. Read once per frame into a snapshot, like the keyboard;
// the sticks move the mouse pointer (see PollMouse).
#pragma once

enum PadButton : int {
  kPadA,
  kPadB,
  kPadX,
  kPadY,
  kPadBack,  // also called View or Select
  kPadStart,
  kPadLeftShoulder,   // LB
  kPadRightShoulder,  // RB
  kPadUp,             // the D-pad
  kPadDown,
  kPadLeft,
  kPadRight,
  kPadLeftTrigger,  // pressed past a third of its travel
  kPadRightTrigger,
  kPadButtonCount
};

int InitGamepads();  // 1 ok, 0 without the controller system
// Takes this frame's snapshot of the playing controller; 1 while one plays. A button that went
// down since the last poll is held in this snapshot even if it is up again.
int PollGamepad();
bool IsPadButtonDown(int button);      // held at the last poll
bool WasPadButtonPressed(int button);  // went down since the poll before: once for each press
bool IsPadConnected();                 // a controller played at the last poll
bool WasPadUnplugged();                // the playing controller went away since the poll before

// The pointer's motion in pixels that the sticks ask for since the last call: past a dead zone,
// the speed grows with the square of the deflection up to 900 pixels a second, so that a full
// deflection crosses the screen in about a second and a small one aims precisely. Fractions of a
// pixel are carried to the next call; the elapsed time is measured, not counted in frames.
void TakeStickMotion(int& dx, int& dy);

// Rumbles the playing controller, where it can, at `strength` (0 to 1) for `milliseconds`.
void RumblePad(double strength, int milliseconds);

void ReleaseGamepads();
