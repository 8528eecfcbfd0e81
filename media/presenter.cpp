// The window and the two ways a finished frame reaches it: the window surface, or a streaming
// texture drawn by an accelerated renderer.
#include "media/presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "media/window_manager.h"

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;  // the accelerated way; nullptr when frames go to the window surface
SDL_Texture* texture = nullptr;    // streaming, pictureWidth x pictureHeight; made again after a reset
SDL_Surface* picture = nullptr;    // wraps the pixels handed to ShowFrame, for SDL's blits
int pictureWidth = 0;
int pictureHeight = 0;
bool windowChanged = true;  // size or surface to be looked at again before the next frame is shown
bool windowed = false;      // an ordinary window of the picture's size instead of the full screen
bool managed = true;        // a window manager makes the window full screen when asked
SDL_Rect placed{};          // where the window surface shows the picture
std::string pathName = "none";
std::string error;

// Mesa's renderers that rasterise on the processor; presenting through them costs several
// milliseconds a frame, ten times the window surface.
bool IsSoftwareOpenGl(SDL_Renderer* candidate) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(candidate, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  if (name == nullptr) return true;
  const char* text = reinterpret_cast<const char*>(name);
  for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
    if (std::strstr(text, software) != nullptr) return true;
  }
  return false;
}

// A graphics card has a render node; without one, OpenGL could only be a software rasteriser, and
// not even loading it saves a quarter of a second at start-up.
bool HasRenderNode() {
  std::error_code failed;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", failed)) {
    if (entry.path().filename().string().rfind("renderD", 0) == 0) return true;
  }
  return false;
}

void DestroyRenderer() {
  if (texture != nullptr) SDL_DestroyTexture(texture);
  if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  texture = nullptr;
  renderer = nullptr;
}

// Chooses the accelerated renderer where it is worth it; false leaves frames to the window surface.
bool UseAcceleratedRenderer() {
  const char* requested = std::getenv("SDL_RENDER_DRIVER");
  const bool chosen = requested != nullptr && *requested != '\0';
  if (chosen && std::strcmp(requested, "software") == 0) return false;
  if (!chosen && !HasRenderNode()) return false;
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (renderer == nullptr) return false;
  if (!chosen && IsSoftwareOpenGl(renderer)) {
    DestroyRenderer();
    return false;
  }
  // Letterboxed to the picture's shape; scaled smoothly, so no pixel is doubled and its neighbour not.
  SDL_RenderSetLogicalSize(renderer, pictureWidth, pictureHeight);
  SDL_RendererInfo info;
  SDL_GetRendererInfo(renderer, &info);
  pathName = std::string("renderer ") + info.name;
  return true;
}

void ShowOnRenderer(const std::uint32_t* pixels) {
  if (texture == nullptr) {
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, pictureWidth,
                                pictureHeight);
    if (texture == nullptr) return;
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  }
  SDL_UpdateTexture(texture, nullptr, pixels, pictureWidth * 4);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
}

void ShowOnWindowSurface(const std::uint32_t* pixels) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) return;
  picture->pixels = const_cast<std::uint32_t*>(pixels);
  if (windowChanged) {
    placed = PicturePlacement(surface->w, surface->h, pictureWidth, pictureHeight);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  }
  SDL_Rect target = placed;  // the blits may change it
  if (placed.w == pictureWidth) {
    SDL_BlitSurface(picture, nullptr, surface, &target);
  } else {
    SDL_BlitScaled(picture, nullptr, surface, &target);
  }
  if (windowChanged) {
    SDL_UpdateWindowSurface(window);  // the bars as well
    windowChanged = false;
  } else {
    SDL_UpdateWindowSurfaceRects(window, &placed, 1);
  }
}

// Full screen covers the desktop; a window has the picture's size, in the middle of the desktop.
void ShowWindowed(bool inWindow) {
  if (inWindow) {
    if (managed) SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, pictureWidth, pictureHeight);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  } else {
    // Moved and sized to the desktop first, as when the window is made.
    SDL_Rect desktop{0, 0, pictureWidth, pictureHeight};
    SDL_GetDisplayBounds(0, &desktop);
    SDL_SetWindowPosition(window, desktop.x, desktop.y);
    SDL_SetWindowSize(window, desktop.w, desktop.h);
    if (managed) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
  windowChanged = true;
}

}  // namespace

void SetPresenterWindowed(bool inWindow) {
  windowed = inWindow;
  if (window != nullptr) ShowWindowed(windowed);
}

bool IsPresenterWindowed() {
  return windowed;
}

SDL_Rect PicturePlacement(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
  const int factor = std::max(1, std::min(windowWidth / pictureWidth, windowHeight / pictureHeight));
  const int width = pictureWidth * factor;
  const int height = pictureHeight * factor;
  return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

bool OpenPresenter(int width, int height, const char* title) {
  DestroyRenderer();
  pictureWidth = width;
  pictureHeight = height;
  windowChanged = true;
  if (picture != nullptr) SDL_FreeSurface(picture);
  // Its pixels are set to the frame's at each ShowFrame.
  picture = SDL_CreateRGBSurfaceWithFormatFrom(nullptr, width, height, 32, width * 4, SDL_PIXELFORMAT_RGB888);
  if (window == nullptr) {
    // Full screen at the desktop's size: without a window manager (a bare X server) nobody else
    // makes a full-screen window cover the screen, and the picture would land in a corner of it;
    // there a borderless window of that size is all there is to the full screen.
    managed = HasWindowManager();
    SDL_Rect bounds{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
    if (!windowed) SDL_GetDisplayBounds(0, &bounds);
    const Uint32 flags = windowed ? 0 : managed ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_BORDERLESS;
    window = SDL_CreateWindow(title, bounds.x, bounds.y, bounds.w, bounds.h, flags);
  } else {
    SDL_SetWindowTitle(window, title);
    if (windowed) ShowWindowed(true);  // the picture's size may have changed
  }
  if (window == nullptr || picture == nullptr) {
    error = SDL_GetError();
    ClosePresenter();
    return false;
  }
  if (UseAcceleratedRenderer()) return true;
  // Without this SDL routes the window surface through OpenGL whenever it can.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_GetWindowSurface(window) == nullptr) {
    error = SDL_GetError();
    ClosePresenter();
    return false;
  }
  pathName = "window surface";
  return true;
}

void ShowFrame(const std::uint32_t* pixels) {
  if (window == nullptr || pixels == nullptr) return;
  if (renderer != nullptr) {
    ShowOnRenderer(pixels);
  } else {
    ShowOnWindowSurface(pixels);
  }
}

void PresenterWindowChanged() {
  windowChanged = true;
  // A renderer that lost its device loses its textures; a streaming one is cheap to make again.
  if (texture != nullptr) SDL_DestroyTexture(texture);
  texture = nullptr;
}

void ClosePresenter() {
  DestroyRenderer();
  if (picture != nullptr) SDL_FreeSurface(picture);
  picture = nullptr;
  if (window != nullptr) SDL_DestroyWindow(window);
  window = nullptr;
  pathName = "none";
}

SDL_Window* PresenterWindow() {
  return window;
}

const char* PresentPathName() {
  return pathName.c_str();
}

const char* PresenterError() {
  return error.c_str();
}
