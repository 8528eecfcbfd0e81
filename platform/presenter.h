// The window, and how a finished frame reaches it through SDL.
#pragma once

#include <SDL.h>

#include <cstdint>

// Makes the window, full screen unless asked otherwise (or reuses the one made before), for a picture of
// width x height and chooses how frames reach it: a streaming texture on an accelerated renderer where there
// is a real graphics card or where the video driver has no window surface of its own (Wayland), else the
// window surface (X11), which costs a fraction of a software OpenGL renderer's time, or SDL's software
// renderer. The environment variable SDL_RENDER_DRIVER chooses instead: "software" for the window surface
// or, without one, the software renderer; any other renderer name for that renderer. False if no window or
// way to show it exists; PresenterError says why.
bool OpenPresenter(int width, int height, const char* title);

// The window's icon: width x height pixels of 0xAARRGGBB, copied; at once if the window exists, else
// when it is made. Not called: SDL's default.
void SetPresenterIcon(const std::uint32_t* pixels, int width, int height);

// A window of the picture's size (true) or the full screen (false, the start); at once if the window
// exists, else when it is made.
void SetPresenterWindowed(bool inWindow);
bool IsPresenterWindowed();

// Shows the width x height picture of 0x00RRGGBB pixels (the size given to OpenPresenter), keeping
// its shape: black bars fill the rest of the window, and the window surface enlarges it only by
// whole factors so that every pixel is doubled alike.
void ShowFrame(const std::uint32_t* pixels);

// ShowFrame in two steps: the copy of the picture, which takes the time, and its show, which then
// takes little; a present prepares its frame before it waits for the frame's show time.
void PrepareFrame(const std::uint32_t* pixels);
void ShowPreparedFrame();

// The window's size changed, or the renderer lost its textures: the next ShowFrame starts afresh.
void PresenterWindowChanged();

// Whether a renderer's present is to wait for the display's refresh (frames follow the display);
// the window surface never waits. At once on a renderer, and for any renderer made later.
void SetPresenterVSync(bool on);
// True while presents wait for the refresh.
bool PresenterWaitsForRefresh();

// True after the window changed (a new size, an exposure, a lost renderer) until the next frame is
// shown: what is on the screen needs a frame even if the game has nothing new to show.
bool PresenterNeedsFrame();

// Destroys the renderer and the window.
void ClosePresenter();

SDL_Window* PresenterWindow();  // nullptr while closed

// "window surface", or "renderer <name>" ("renderer software" for SDL's software renderer); "none" while
// closed.
const char* PresenterPathName();

// The reason for the last failure of OpenPresenter.
const char* PresenterError();
