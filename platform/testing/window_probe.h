// Test support: the window and what it shows, as the window system sees them.
#pragma once

#include <cstdint>
#include <string>

struct WindowLook {
  bool exists = false;
  bool fullScreen = false;  // covers the desktop
  int width = 0;            // window pixels
  int height = 0;
  std::string title;
  bool cursorShown = false;  // the system's mouse cursor
};

WindowLook LookAtWindow();

// The colour the window shows at window pixel (x, y) as 0x00RRGGBB; false without a window surface.
bool ShownPixel(int x, int y, std::uint32_t& rgb);

// True while SDL's video system runs.
bool IsVideoRunning();
