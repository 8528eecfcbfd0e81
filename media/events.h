// Inside the multimedia layer only: the one place that drains SDL's event queue.
#pragma once

#include <SDL.h>

// Drains the queue: keys and mouse go to the input module, focus, close, size changes and renderer
// resets to the display. Called by PresentFrame, PollKeyboard and PollMouse.
void PumpEvents();

// Defined by the input module: records one keyboard or mouse event for the next poll.
void InputHandleEvent(const SDL_Event& event);
