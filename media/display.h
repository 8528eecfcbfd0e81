// The one window, the 800 x 600 double-buffered display, frame presentation and pacing,
// and the orderly shutdown of the whole multimedia layer.
#pragma once

// Prepares the sprite table and the video system. Nonzero on success. Called once, first.
int InitDisplay();

// Opens a full-screen window titled `title` showing width x height logical pixels letterboxed on
// the desktop, hides the cursor and clears both buffers to black. Only depth 32 is offered.
// Nonzero on success; 0 leaves the layer without a display (every operation stays safe to call).
int OpenDisplay(int width, int height, int depth, const char* title);

// Frames are presented at most rate + 1 times a second; 0 turns pacing off. 1 on success.
int SetFrameRate(int rate);

// Pumps the window's events, shows the back buffer (unless the window is inactive), swaps the two
// buffers so that the back buffer then holds the frame before last, and waits out the frame period.
void PresentFrame();

// 1: play in a window of the screen's size; 0: full screen, the start. At once on an open display;
// Alt+Return switches between the two at any time.
void SetDisplayWindowed(int windowed);
int IsDisplayWindowed();

// Frees every sprite and both buffers and leaves full-screen mode.
void CloseDisplay();

// Releases keyboard, mouse, sound, display and quads, in this order.
void ShutdownMultimedia();

// 1 while the window has the input focus (a freshly opened display is active).
int IsDisplayActive();

// 1 once the window manager asked the window to close; it stays 1 for the rest of the run.
int WasCloseRequested();

// Why the last InitDisplay or OpenDisplay failed, for a message to the user.
const char* DisplayError();
