// The window's events: the one place that drains SDL's event queue, and the state of the window
// that its events change (the focus, a request to close).
#pragma once

// Drains the queue: keys, mouse and game controllers to the input's pending events, focus, close,
// size changes and renderer resets to the display. Called by PresentFrame and the polls.
void PumpEvents();

// True while the window has the input focus; blits and presents do nothing otherwise.
bool IsDisplayActive();

// True once the window manager asked the window to close; stays true until the layer shuts down.
bool WasCloseRequested();

// The display opened (active) or closed (inactive); a window opened has the focus.
void SetDisplayActive(bool active);

// Forgets the focus and any request to close: part of the layer's shutdown.
void ResetWindowEvents();
