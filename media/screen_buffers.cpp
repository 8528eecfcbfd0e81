// The two frame buffers.
#include "media/screen_buffers.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct ScreenBuffers {
  std::vector<std::uint32_t> back;   // all drawing goes here; width x height
  std::vector<std::uint32_t> front;  // the frame on view
  int width = 0;                     // pixels, as opened; 0 while closed
  int height = 0;
};

ScreenBuffers buffers;
bool screenShown = false;  // the window has the focus

}  // namespace

void OpenScreenBuffers(int width, int height) {
  buffers.back.assign(std::size_t(width) * std::size_t(height), 0);
  buffers.front.assign(std::size_t(width) * std::size_t(height), 0);
  buffers.width = width;
  buffers.height = height;
}

void CloseScreenBuffers() {
  buffers = ScreenBuffers{};  // the memory itself goes back
}

bool HasBackBuffer() {
  return !buffers.back.empty();
}

PixelArea BackBufferArea() {
  if (!HasBackBuffer()) return {};
  return {buffers.back.data(), buffers.width, buffers.height};
}

PixelArea FrontBufferArea() {
  if (!HasBackBuffer()) return {};
  return {buffers.front.data(), buffers.width, buffers.height};
}

void SwapScreenBuffers() {
  std::swap(buffers.back, buffers.front);
}

void SetScreenShown(bool shown) {
  screenShown = shown;
}

bool IsScreenShown() {
  return screenShown;
}

bool ReadBackBuffer(std::uint32_t* pixels) {
  if (pixels == nullptr || !HasBackBuffer()) return false;
  std::copy(buffers.back.begin(), buffers.back.end(), pixels);
  return true;
}
