// The choice of the way a frame reaches the window.
#include "platform/present_path.h"

#include <cstring>
#include <initializer_list>

bool HasOwnWindowSurface(const char* videoDriver) {
  if (videoDriver == nullptr) return false;
  for (const char* own : {"x11", "dummy", "offscreen"}) {
    if (std::strcmp(videoDriver, own) == 0) return true;
  }
  return false;
}

PresentPath FirstPresentPath(const char* videoDriver, const char* requested, bool renderNode) {
  const bool ownSurface = HasOwnWindowSurface(videoDriver);
  if (requested != nullptr && std::strcmp(requested, "software") == 0)
    return FallbackPresentPath(videoDriver);
  if (requested != nullptr && *requested != '\0') return PresentPath::kRenderer;
  if (!ownSurface) return PresentPath::kRenderer;
  return renderNode ? PresentPath::kRendererOnCard : PresentPath::kWindowSurface;
}

PresentPath FallbackPresentPath(const char* videoDriver) {
  return HasOwnWindowSurface(videoDriver) ? PresentPath::kWindowSurface : PresentPath::kSoftwareRenderer;
}
