// Inside the multimedia layer only: the two frame buffers in our own memory that every drawing
// operation writes into, and the window's state that the display, the events and the input share.
#pragma once

#include <cstdint>
#include <vector>

// A block of 0x00RRGGBB pixels, top-down rows of `width` pixels each: the back buffer or a sprite.
struct PixelArea {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

struct RenderContext {
  std::vector<std::uint32_t> backBuffer;   // all drawing goes here; screenWidth x screenHeight
  std::vector<std::uint32_t> frontBuffer;  // the frame on view; swapped with backBuffer at each present
  int screenWidth = 0;                     // pixels, as opened; 0 without a display
  int screenHeight = 0;
  bool active = false;          // window has the focus; blits and presents do nothing otherwise
  bool closeRequested = false;  // SDL_QUIT seen
};

extern RenderContext renderContext;

// True once OpenDisplay succeeded and until CloseDisplay.
bool HasBackBuffer();

// The back buffer as a pixel area; no pixels without a display.
PixelArea BackBufferArea();

// Copies the back buffer into `pixels` (screenWidth x screenHeight, 0x00RRGGBB, top-down rows).
// Used by tests and the contact sheet. False without a display.
bool ReadBackBuffer(unsigned int* pixels);
