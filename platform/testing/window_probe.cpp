// Test support: the window read back from SDL.
#include "platform/testing/window_probe.h"

#include <SDL.h>

#include "platform/presenter.h"

WindowLook LookAtWindow() {
  WindowLook look;
  look.cursorShown = SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
  SDL_Window* window = PresenterWindow();
  if (window == nullptr) return look;
  look.exists = true;
  look.fullScreen =
      (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_GetWindowSize(window, &look.width, &look.height);
  look.title = SDL_GetWindowTitle(window);
  return look;
}

bool ShownPixel(int x, int y, std::uint32_t& rgb) {
  SDL_Window* window = PresenterWindow();
  SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
  if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return false;
  const auto* row =
      static_cast<const std::uint8_t*>(surface->pixels) + std::size_t(y) * std::size_t(surface->pitch);
  Uint8 r = 0;
  Uint8 g = 0;
  Uint8 b = 0;
  SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], surface->format, &r, &g, &b);
  rgb = std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
  return true;
}

bool IsVideoRunning() {
  return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}
