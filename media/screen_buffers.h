// The two frame buffers in our own memory: the back buffer that every drawing operation writes
// into, and the front buffer that holds the frame on view.
#pragma once

#include <cstdint>

#include "raster/pixels.h"

// Both buffers width x height, black; nothing clears them later.
void OpenScreenBuffers(int width, int height);
void CloseScreenBuffers();

// True from OpenScreenBuffers to CloseScreenBuffers.
bool HasBackBuffer();

// The back buffer as a pixel area; no pixels while closed.
PixelArea BackBufferArea();

// The frame on view, as a pixel area not to be drawn into; no pixels while closed.
PixelArea FrontBufferArea();

// Like a flip: the back buffer becomes the frame on view, and the back buffer then holds the frame
// before last.
void SwapScreenBuffers();

// Whether frames reach the screen: true while the window has the focus, as the platform reports it.
// Sprite blits into the back buffer do nothing otherwise. False at the start.
void SetScreenShown(bool shown);
bool IsScreenShown();

// Copies the back buffer into `pixels` (width x height, 0x00RRGGBB, top-down rows). Used by tests
// and the contact sheet. False while closed.
bool ReadBackBuffer(std::uint32_t* pixels);
