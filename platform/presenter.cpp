// The window and the two ways a finished frame reaches it: the window surface, or a streaming
// texture drawn by an accelerated renderer.
#include "platform/presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/picture_placement.h"
#include "platform/window_manager.h"

namespace {

// A picture prepared and not shown yet, and how much of the window shows it.
enum class Pending { kNothing, kPicture, kWholeWindow };

struct PresenterState {
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
  Pending pending = Pending::kNothing;  // what PrepareFrame left for ShowPreparedFrame
  std::string pathName = "none";
  std::string error;
};

PresenterState presenter;

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
  if (presenter.texture != nullptr) SDL_DestroyTexture(presenter.texture);
  if (presenter.renderer != nullptr) SDL_DestroyRenderer(presenter.renderer);
  presenter.texture = nullptr;
  presenter.renderer = nullptr;
}

// Chooses the accelerated renderer where it is worth it; false leaves frames to the window surface.
bool UseAcceleratedRenderer() {
  const char* requested = std::getenv("SDL_RENDER_DRIVER");
  const bool chosen = requested != nullptr && *requested != '\0';
  if (chosen && std::strcmp(requested, "software") == 0) return false;
  if (!chosen && !HasRenderNode()) return false;
  presenter.renderer = SDL_CreateRenderer(presenter.window, -1, SDL_RENDERER_ACCELERATED);
  if (presenter.renderer == nullptr) return false;
  if (!chosen && IsSoftwareOpenGl(presenter.renderer)) {
    DestroyRenderer();
    return false;
  }
  // Letterboxed to the picture's shape; scaled smoothly, so no pixel is doubled and its neighbour not.
  SDL_RenderSetLogicalSize(presenter.renderer, presenter.pictureWidth, presenter.pictureHeight);
  SDL_RendererInfo info;
  SDL_GetRendererInfo(presenter.renderer, &info);
  presenter.pathName = std::string("renderer ") + info.name;
  return true;
}

void PrepareOnRenderer(const std::uint32_t* pixels) {
  if (presenter.texture == nullptr) {
    presenter.texture =
        SDL_CreateTexture(presenter.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                          presenter.pictureWidth, presenter.pictureHeight);
    if (presenter.texture == nullptr) return;
    SDL_SetTextureScaleMode(presenter.texture, SDL_ScaleModeLinear);
  }
  SDL_UpdateTexture(presenter.texture, nullptr, pixels, presenter.pictureWidth * 4);
  SDL_SetRenderDrawColor(presenter.renderer, 0, 0, 0, 255);
  SDL_RenderClear(presenter.renderer);
  SDL_RenderCopy(presenter.renderer, presenter.texture, nullptr, nullptr);
  presenter.pending = Pending::kWholeWindow;
}

void PrepareOnWindowSurface(const std::uint32_t* pixels) {
  SDL_Surface* surface = SDL_GetWindowSurface(presenter.window);
  if (surface == nullptr) return;
  presenter.picture->pixels = const_cast<std::uint32_t*>(pixels);
  if (presenter.windowChanged) {
    const Placement at =
        PicturePlacement(surface->w, surface->h, presenter.pictureWidth, presenter.pictureHeight);
    presenter.placed = {at.x, at.y, at.width, at.height};
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  }
  SDL_Rect target = presenter.placed;  // the blits may change it
  if (presenter.placed.w == presenter.pictureWidth) {
    SDL_BlitSurface(presenter.picture, nullptr, surface, &target);
  } else {
    SDL_BlitScaled(presenter.picture, nullptr, surface, &target);
  }
  // After a change the bars are shown again as well.
  presenter.pending = presenter.windowChanged ? Pending::kWholeWindow : Pending::kPicture;
  presenter.windowChanged = false;
}

// Full screen covers the desktop; a window has the picture's size, in the middle of the desktop.
void ShowWindowed(bool inWindow) {
  if (inWindow) {
    if (presenter.managed) SDL_SetWindowFullscreen(presenter.window, 0);
    SDL_SetWindowSize(presenter.window, presenter.pictureWidth, presenter.pictureHeight);
    SDL_SetWindowPosition(presenter.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  } else {
    // Moved and sized to the desktop first, as when the window is made.
    SDL_Rect desktop{0, 0, presenter.pictureWidth, presenter.pictureHeight};
    SDL_GetDisplayBounds(0, &desktop);
    SDL_SetWindowPosition(presenter.window, desktop.x, desktop.y);
    SDL_SetWindowSize(presenter.window, desktop.w, desktop.h);
    if (presenter.managed) SDL_SetWindowFullscreen(presenter.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
  presenter.windowChanged = true;
}

}  // namespace

void SetPresenterWindowed(bool inWindow) {
  presenter.windowed = inWindow;
  if (presenter.window != nullptr) ShowWindowed(presenter.windowed);
}

bool IsPresenterWindowed() {
  return presenter.windowed;
}

bool OpenPresenter(int width, int height, const char* title) {
  DestroyRenderer();
  presenter.pictureWidth = width;
  presenter.pictureHeight = height;
  presenter.windowChanged = true;
  if (presenter.picture != nullptr) SDL_FreeSurface(presenter.picture);
  // Its pixels are set to the frame's at each ShowFrame.
  presenter.picture =
      SDL_CreateRGBSurfaceWithFormatFrom(nullptr, width, height, 32, width * 4, SDL_PIXELFORMAT_RGB888);
  if (presenter.window == nullptr) {
    // Full screen at the desktop's size: without a window manager (a bare X server) nobody else
    // makes a full-screen window cover the screen, and the picture would land in a corner of it;
    // there a borderless window of that size is all there is to the full screen.
    presenter.managed = HasWindowManager();
    SDL_Rect bounds{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
    if (!presenter.windowed) SDL_GetDisplayBounds(0, &bounds);
    const Uint32 flags = presenter.windowed  ? 0
                         : presenter.managed ? SDL_WINDOW_FULLSCREEN_DESKTOP
                                             : SDL_WINDOW_BORDERLESS;
    presenter.window = SDL_CreateWindow(title, bounds.x, bounds.y, bounds.w, bounds.h, flags);
  } else {
    SDL_SetWindowTitle(presenter.window, title);
    if (presenter.windowed) ShowWindowed(true);  // the picture's size may have changed
  }
  if (presenter.window == nullptr || presenter.picture == nullptr) {
    presenter.error = SDL_GetError();
    ClosePresenter();
    return false;
  }
  if (UseAcceleratedRenderer()) return true;
  // Without this SDL routes the window surface through OpenGL whenever it can.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_GetWindowSurface(presenter.window) == nullptr) {
    presenter.error = SDL_GetError();
    ClosePresenter();
    return false;
  }
  presenter.pathName = "window surface";
  return true;
}

void PrepareFrame(const std::uint32_t* pixels) {
  if (presenter.window == nullptr || pixels == nullptr) return;
  if (presenter.renderer != nullptr) {
    PrepareOnRenderer(pixels);
  } else {
    PrepareOnWindowSurface(pixels);
  }
}

void ShowPreparedFrame() {
  const Pending pending = std::exchange(presenter.pending, Pending::kNothing);
  if (presenter.window == nullptr || pending == Pending::kNothing) return;
  if (presenter.renderer != nullptr) {
    SDL_RenderPresent(presenter.renderer);
  } else if (pending == Pending::kWholeWindow) {
    SDL_UpdateWindowSurface(presenter.window);
  } else {
    SDL_UpdateWindowSurfaceRects(presenter.window, &presenter.placed, 1);
  }
}

void ShowFrame(const std::uint32_t* pixels) {
  PrepareFrame(pixels);
  ShowPreparedFrame();
}

void PresenterWindowChanged() {
  presenter.windowChanged = true;
  // A renderer that lost its device loses its textures; a streaming one is cheap to make again.
  if (presenter.texture != nullptr) SDL_DestroyTexture(presenter.texture);
  presenter.texture = nullptr;
}

void ClosePresenter() {
  DestroyRenderer();
  if (presenter.picture != nullptr) SDL_FreeSurface(presenter.picture);
  presenter.picture = nullptr;
  if (presenter.window != nullptr) SDL_DestroyWindow(presenter.window);
  presenter.window = nullptr;
  presenter.pending = Pending::kNothing;
  presenter.pathName = "none";
}

SDL_Window* PresenterWindow() {
  return presenter.window;
}

const char* PresenterPathName() {
  return presenter.pathName.c_str();
}

const char* PresenterError() {
  return presenter.error.c_str();
}
