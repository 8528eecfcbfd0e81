// Game controllers, through SDL's game controller API and its database of mappings (the
// environment variable SDL_GAMECONTROLLERCONFIG adds to it). The first controller connected plays;
// one plugged in later plays when none does. Read once per frame into a snapshot, like the keyboard.
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

// The deflection of the playing controller's sticks at the last poll, -1 to 1 per axis (right and
// down positive), raw: no dead zone. 0 without a controller and while the window has no focus.
struct StickDeflection {
  double leftX = 0, leftY = 0, rightX = 0, rightY = 0;
};
StickDeflection PadSticks();

// Rumbles the playing controller, where it can, at `strength` (0 to 1) for `milliseconds`.
void RumblePad(double strength, int milliseconds);
void StopPadRumble();  // what RumblePad started ends at once

void ReleaseGamepads();
