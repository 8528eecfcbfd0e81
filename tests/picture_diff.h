// Test support: how many pixels of a drawn screen differ from the expected one.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

// Pixels of `drawn` that differ from `expected` (top-down rows `width` wide); the first one is
// reported as a failure with its position.
inline int DifferingPixels(const std::vector<unsigned int>& drawn, const std::vector<unsigned int>& expected,
                           int width) {
  int count = 0;
  for (std::size_t i = 0; i < drawn.size() && i < expected.size(); ++i) {
    if (drawn[i] == expected[i]) continue;
    if (count++ == 0) {
      ADD_FAILURE() << "first difference at (" << i % width << ", " << i / width << "): " << std::hex
                    << drawn[i] << " instead of " << expected[i];
    }
  }
  return count + static_cast<int>(drawn.size() > expected.size() ? drawn.size() - expected.size()
                                                                 : expected.size() - drawn.size());
}
