// How a finished frame reaches the window, chosen from the video driver, the renderer the player
// asked for and the machine's graphics.
#pragma once

enum class PresentPath {
  kWindowSurface,     // the driver's own window surface in memory, without any renderer (X11)
  kRenderer,          // a streaming texture on an accelerated renderer, whatever rasterises it
  kRendererOnCard,    // the same, unless its OpenGL turns out to be a rasteriser on the processor
  kSoftwareRenderer,  // SDL's software renderer, into the surface SDL keeps through a renderer
};

// True for the video drivers that make a window surface in memory without any renderer (x11, and
// the headless dummy and offscreen). Elsewhere (Wayland, KMS/DRM) SDL gives a window surface only
// through a renderer of its own, and telling it not to use one leaves the window without a picture.
bool HasOwnWindowSurface(const char* videoDriver);

// The path to try first. `requested` is SDL_RENDER_DRIVER (nullptr or empty when unset): "software"
// asks for the window surface, or SDL's software renderer where the driver has none; any other name
// for that renderer. Unset, a graphics card (`renderNode`) is used where there is one; without one,
// the window surface where the driver has its own, since OpenGL on the processor costs ten times
// as much, and else the accelerated renderer all the same: the surface would go through it anyway.
PresentPath FirstPresentPath(const char* videoDriver, const char* requested, bool renderNode);

// Where frames go when a renderer cannot be made or is a rasteriser on the processor: the window
// surface where the driver has its own, else SDL's software renderer.
PresentPath FallbackPresentPath(const char* videoDriver);
