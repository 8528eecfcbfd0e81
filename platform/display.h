// The one window and the 800 x 600 double-buffered display: opening it, presenting each frame,
// closing it.
#pragma once

#include <cstdint>

// Starts the video system. Nonzero on success. Called once, first. 0 also when no display was
// found and only a driver that shows nothing (offscreen, dummy) is left, unless SDL_VIDEODRIVER
// names that driver: a game nobody sees would run until killed.
int InitDisplay();

// Opens a full-screen window titled `title` showing width x height logical pixels letterboxed on
// the desktop, hides the cursor and clears both buffers to black. Only depth 32 is offered.
// Nonzero on success; 0 leaves the layer without a display (every operation stays safe to call).
int OpenDisplay(int width, int height, int depth, const char* title);

// Gives back a back-buffer drawing target still held, pumps the window's events, waits until more
// than a frame period has passed since the previous show, shows the back buffer (unless the window
// is inactive) and swaps the two buffers so that the back buffer then holds the frame before last.
// The first present after SetFrameRate shows its frame at once and then waits a full period.
void PresentFrame();

// A present with nothing new to show: pumps the window's events and waits for the frame's time like
// PresentFrame, while the frame on view stays (shown again where the window needs it) and the back
// buffer keeps what it holds.
void HoldFrame();

// The window's icon, as the task switcher shows it: width x height pixels of 0xAARRGGBB, copied. At once
// on an open display, else when it opens.
void SetDisplayIcon(const std::uint32_t* pixels, int width, int height);

// True: play in a window of the screen's size; false: full screen, the start. At once on an open
// display; Alt+Return switches between the two at any time.
void SetDisplayWindowed(bool windowed);
bool IsDisplayWindowed();

// Frames a second from the next SetFrameRate on: the display's refresh rate or one the player chose;
// 0 for lockstep, one frame per step (the classic way). At the display's own rate a renderer that can
// waits for the refresh at each present.
void SetDisplayFrameRate(int framesPerSecond);

// The refresh rate of the screen that shows the window, in frames a second; 0 where the display
// tells none (a virtual X server) or without a display.
int DisplayRefreshRate();

// Frees every sprite and both buffers, gives back the drawing targets and leaves full-screen mode.
void CloseDisplay();

// Closes the display and stops the video system: the display's part of the layer's shutdown.
void ReleaseDisplay();

// How frames reach the screen: "window surface", or "renderer <name>" for an accelerated renderer;
// "none" without a display.
const char* PresentPathName();

// Why the last InitDisplay or OpenDisplay failed, for a message to the user.
const char* DisplayError();
