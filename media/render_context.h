// Inside the multimedia layer only: the window, renderer and the two buffers that the display,
// the sprites, the quads and the drawing share.
#pragma once

#include <SDL.h>

struct RenderContext {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* backBuffer = nullptr;   // render target of all drawing, screenWidth x screenHeight
  SDL_Texture* frontBuffer = nullptr;  // the frame on view; swapped with backBuffer by PresentFrame
  int screenWidth = 0;                 // pixels, as opened
  int screenHeight = 0;
  bool active = false;          // window has the focus; blits and presents do nothing otherwise
  bool closeRequested = false;  // SDL_QUIT seen
};

extern RenderContext renderContext;

// True once OpenDisplay succeeded and until CloseDisplay.
bool HasBackBuffer();

// Makes the back buffer the renderer's target; false without a display.
bool TargetBackBuffer();

// Reads the back buffer into `pixels` (screenWidth x screenHeight, 0x00RRGGBB, top-down rows).
// Used by CopyScreenToSprite and by tests. False without a display.
bool ReadBackBuffer(unsigned int* pixels);
