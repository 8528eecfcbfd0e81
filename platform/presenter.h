// The window, and how a finished frame reaches it through SDL.
#pragma once

#include <SDL.h>

#include <cstdint>

// Makes the window, full screen unless asked otherwise (or reuses the one made before), for a picture of
// width x height and chooses how frames reach it: a streaming texture on an accelerated renderer where there
// is a real graphics card, else the window surface, which costs a fraction of a software OpenGL renderer's
// time. The environment variable SDL_RENDER_DRIVER chooses instead: "software" for the window
// surface, any other renderer name for that renderer. False if no window or way to show it exists.
bool OpenPresenter(int width, int height, const char* title);

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

// Destroys the renderer and the window.
void ClosePresenter();

SDL_Window* PresenterWindow();  // nullptr while closed

// "window surface", or "renderer <name>" for an accelerated renderer; "none" while closed.
const char* PresenterPathName();

// The reason for the last failure of OpenPresenter.
const char* PresenterError();
