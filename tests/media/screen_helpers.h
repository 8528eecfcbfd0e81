// Test support: an 800 x 600 display opened on the headless driver, and its back buffer's pixels.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "media/screen_buffers.h"
#include "platform/display.h"
#include "platform/multimedia.h"

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A fresh layer with the 800 x 600 x 32 display open; call inside ASSERT_NO_FATAL_FAILURE.
inline void OpenTestDisplay() {
  ShutdownMultimedia();
  ASSERT_NE(InitDisplay(), 0);
  ASSERT_NE(OpenDisplay(kWidth, kHeight, 32, "Space"), 0);
}

// Fills the back buffer with one 0x00RRGGBB colour, as a frame's drawing would.
inline void FillBackBuffer(unsigned int rgb) {
  const PixelArea screen = BackBufferArea();
  ASSERT_NE(screen.pixels, nullptr) << "a display is open";
  std::fill(screen.pixels, screen.pixels + std::size_t(screen.width) * std::size_t(screen.height), rgb);
}

// The back buffer as top-down 0x00RRGGBB pixels.
inline std::vector<unsigned int> Screen() {
  std::vector<unsigned int> pixels(kWidth * kHeight, 0xDEADBEEF);
  EXPECT_TRUE(ReadBackBuffer(pixels.data())) << "the back buffer can be read";
  return pixels;
}
