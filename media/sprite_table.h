// Inside the multimedia layer only: the sprite slots and their pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/render_context.h"

struct Sprite {
  std::vector<std::uint32_t> pixels;  // width x height, top-down rows, 0x00RRGGBB; 0 is the key colour
  int width = 0;
  int height = 0;
  int bits = 0;            // bits per pixel of the source (24 after palette expansion or JPEG decoding)
  int mode = 0;            // creation mode (SpriteMode)
  std::string sourcePath;  // the file it was loaded from; empty for memory images

  PixelArea Area() { return {pixels.data(), width, height}; }
};

// The sprite in slot n, or nullptr for an empty slot or a slot beyond the table.
Sprite* SpriteSlot(int n);

// Empties slot n (growing the table to n + 50 slots when n is beyond it) and returns the new,
// empty sprite record to fill in. The caller fills pixels and size.
Sprite& CreateSpriteSlot(int n);

void FreeAllSprites();
int SpriteTableSize();
