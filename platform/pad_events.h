// The game controller that plays and what it did since the last poll: kept by the event pump from
// SDL's controller events, taken into a snapshot by the controller's poll.
#pragma once

#include <SDL.h>

#include "platform/gamepad.h"

// SDL's button for a PadButton; SDL_CONTROLLER_BUTTON_INVALID for the triggers, which are axes.
SDL_GameControllerButton SdlButtonOf(int button);

// Opens the first controller connected and starts recording; until then controller events are
// dropped.
void StartPadEvents();
// Closes the controller and drops what was recorded.
void StopPadEvents();

// A controller was connected or removed, or the playing one moved a stick or a button.
void HandlePadEvent(const SDL_Event& event);

struct PadEvents {
  bool connected = false;              // a controller plays
  bool unplugged = false;              // the playing controller went away since the last take
  bool held[kPadButtonCount] = {};     // held now, or went down since the last take
  bool pressed[kPadButtonCount] = {};  // went down since the last take
};
PadEvents TakePadEvents();

// The playing controller's sticks as they stand now; 0 without a controller.
StickDeflection LivePadSticks();

// Rumbles the playing controller, if it can, at full strength times `strength` (0 to 1); 0 ms
// stops it.
void RumbleOpenPad(double strength, int milliseconds);
