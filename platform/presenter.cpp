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
#include <vector>

#include "platform/picture_placement.h"
#include "platform/present_path.h"
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
  std::vector<std::uint32_t> icon;      // the window's icon, 0xAARRGGBB; empty: SDL's default
  int iconWidth = 0;
  int iconHeight = 0;
  std::string pathName = "none";
  std::string error;
  bool vsyncWanted = false;  // frames follow the display: a renderer that can waits for the refresh
  bool vsync = false;        // the renderer's present waits for the refresh
};

PresenterState presenter;

// Asks the renderer, if any, to wait for the refresh at each present as wanted, and keeps whether it
// does (a renderer that cannot leaves the pacing to the clock).
void ApplyVSync() {
  presenter.vsync = false;
  if (presenter.renderer == nullptr) return;
  SDL_RenderSetVSync(presenter.renderer, presenter.vsyncWanted ? 1 : 0);
  SDL_RendererInfo info;
  presenter.vsync = presenter.vsyncWanted && SDL_GetRendererInfo(presenter.renderer, &info) == 0 &&
                    (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
}

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

// Keeps SDL's reason for the failure, or `fallback` where SDL gave none.
void KeepError(const char* fallback) {
  const char* reason = SDL_GetError();
  presenter.error = reason != nullptr && *reason != '\0' ? reason : fallback;
}

void DestroyRenderer() {
  if (presenter.texture != nullptr) SDL_DestroyTexture(presenter.texture);
  if (presenter.renderer != nullptr) SDL_DestroyRenderer(presenter.renderer);
  presenter.texture = nullptr;
  presenter.renderer = nullptr;
  presenter.vsync = false;
}

// Draws the picture with the renderer just made, if any: letterboxed to the picture's shape and scaled
// smoothly, so that no pixel is doubled and its neighbour not.
bool UseRenderer() {
  if (presenter.renderer == nullptr) return false;
  SDL_RenderSetLogicalSize(presenter.renderer, presenter.pictureWidth, presenter.pictureHeight);
  SDL_RendererInfo info;
  SDL_GetRendererInfo(presenter.renderer, &info);
  presenter.pathName = std::string("renderer ") + info.name;
  ApplyVSync();
  return true;
}

// The window surface of a driver that has one of its own, without any renderer.
bool UseWindowSurface() {
  // Without this SDL routes the window surface through OpenGL whenever it can; where the driver has
  // no window surface of its own, it leaves the window without one.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_GetWindowSurface(presenter.window) == nullptr) return false;
  presenter.pathName = "window surface";
  return true;
}

// False when the path cannot be had; the window then has no renderer.
bool UsePresentPath(PresentPath path) {
  switch (path) {
    case PresentPath::kWindowSurface: return UseWindowSurface();
    case PresentPath::kSoftwareRenderer:
      presenter.renderer = SDL_CreateRenderer(presenter.window, -1, SDL_RENDERER_SOFTWARE);
      return UseRenderer();
    case PresentPath::kRenderer:
    case PresentPath::kRendererOnCard:
      presenter.renderer = SDL_CreateRenderer(presenter.window, -1, SDL_RENDERER_ACCELERATED);
      if (path == PresentPath::kRendererOnCard && presenter.renderer != nullptr &&
          IsSoftwareOpenGl(presenter.renderer)) {
        DestroyRenderer();
      }
      return UseRenderer();
  }
  return false;
}

// Chooses how frames reach the window and prepares that way; false with PresenterError set.
bool PrepareToPresent() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const PresentPath first = FirstPresentPath(driver, std::getenv("SDL_RENDER_DRIVER"), HasRenderNode());
  if (UsePresentPath(first)) return true;
  const PresentPath fallback = FallbackPresentPath(driver);
  if (fallback != first) {
    SDL_ClearError();  // what the first attempt left is not the reason
    if (UsePresentPath(fallback)) return true;
  }
  KeepError("SDL found no way to show frames in the window");
  return false;
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
  presenter.windowChanged = false;  // the renderer fills the whole window, bars and all, every time
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

// Gives the window the icon that SetPresenterIcon kept.
void ShowIcon() {
  if (presenter.window == nullptr || presenter.icon.empty()) return;
  SDL_Surface* picture =
      SDL_CreateRGBSurfaceWithFormatFrom(presenter.icon.data(), presenter.iconWidth, presenter.iconHeight, 32,
                                         presenter.iconWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  if (picture == nullptr) return;
  SDL_SetWindowIcon(presenter.window, picture);  // the window system keeps a copy
  SDL_FreeSurface(picture);
}

}  // namespace

void SetPresenterIcon(const std::uint32_t* pixels, int width, int height) {
  presenter.icon.assign(pixels, pixels + std::size_t(width) * std::size_t(height));
  presenter.iconWidth = width;
  presenter.iconHeight = height;
  ShowIcon();
}

void SetPresenterWindowed(bool inWindow) {
  presenter.windowed = inWindow;
  if (presenter.window != nullptr) ShowWindowed(presenter.windowed);
}

bool IsPresenterWindowed() {
  return presenter.windowed;
}

bool OpenPresenter(int width, int height, const char* title) {
  SDL_ClearError();
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
    ShowIcon();
  } else {
    SDL_SetWindowTitle(presenter.window, title);
    if (presenter.windowed) ShowWindowed(true);  // the picture's size may have changed
  }
  if (presenter.window == nullptr || presenter.picture == nullptr) {
    KeepError("the window was not made");
    ClosePresenter();
    return false;
  }
  if (PrepareToPresent()) return true;
  ClosePresenter();
  return false;
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

void SetPresenterVSync(bool on) {
  presenter.vsyncWanted = on;
  ApplyVSync();
}

bool PresenterWaitsForRefresh() {
  return presenter.vsync;
}

bool PresenterNeedsFrame() {
  return presenter.windowChanged;
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
