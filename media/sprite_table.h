// The sprite slots and their pixels, for the layer's sprite, quad and drawing operations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/pixels.h"

struct Sprite {
  std::vector<std::uint32_t> pixels;  // width x height, top-down rows, 0x00RRGGBB; 0 is the key colour
  int width = 0;
  int height = 0;
  int bits = 0;            // bits per pixel of the source (24 after palette expansion or JPEG decoding)
  int mode = 0;            // creation mode (SpriteMode)
  std::string sourcePath;  // the file it was loaded from; empty for memory images

  // The pixels as quads sample them (MakeTexelLanes), made on first use and again after the pixels
  // were replaced or drawn on.
  std::vector<std::uint64_t> lanes;
  const std::uint32_t* lanesFrom = nullptr;  // the pixels the lanes were made from

  // The pixels to draw into; the lanes made from them before are dropped.
  PixelArea Area() {
    lanes.clear();
    return {pixels.data(), width, height};
  }
};

// The sprite's pixels as lanes, made again if the pixels were replaced or drawn on.
const std::uint64_t* SpriteLanes(Sprite& sprite);

// The sprite in slot n, or nullptr for an empty slot or a slot beyond the table.
Sprite* SpriteSlot(int n);

// Empties slot n (growing the table to n + 50 slots when n is beyond it) and returns the new,
// empty sprite record to fill in.
Sprite& CreateSpriteSlot(int n);

// Empties slot n, if it lies within the table.
void EmptySpriteSlot(int n);

// Empties every slot and shrinks the table to its first 50.
void EmptyAllSpriteSlots();

int SpriteTableSize();
