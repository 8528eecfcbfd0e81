// Numbered sprite slots: images in the display format, loaded from BMP and JPEG files or from
// file images in memory, blitted opaque or with black as the transparent colour.
#pragma once

#include <cstddef>

#include "raster/pixels.h"

// Creation modes.
enum SpriteMode : int {
  kSpritePlain = 0,    // ordinary sprite for the blits
  kSpriteSystem = 1,   // kept in system memory (unused by the game)
  kSpriteTexture = 4,  // the texture of a quad; may also be blitted
};

// Each creating operation releases what slot n held first and grows the table to n + 50 slots
// when n is beyond it. Results: nonzero on success, 0 on failure (the slot is then empty).
int LoadSpriteFile(int n, const char* path, int mode = kSpritePlain);  // missing file: slot kept
int LoadSpriteMemory(int n, const unsigned char* image, std::size_t size, int mode = kSpritePlain);
int NewSprite(int n, int width, int height, int mode);  // filled with black
// A copy of the back buffer's rectangle (the frame being drawn, not the one on view).
int CopyScreenToSprite(int n, int x, int y, int width, int height, int mode = kSpritePlain);
// A copy of the whole frame on view (the last one presented); 0 without a display.
int CopyShownFrameToSprite(int n);
// Opaque copy into the back buffer, clipped to the screen; nothing while the window has no focus or
// a drawing phase holds the back buffer.
void BlitSprite(int n, int x, int y);
void BlitSpriteKeyed(int n, int x, int y);  // the same, skipping black (0, 0, 0) pixels
// A 24-bit BMP as a new file, never over an existing one; 1 only if completely written. On 0 no
// part of it is left, and errno says why: EEXIST when the name is taken, EINVAL for an empty slot.
int WriteSpriteBmp(int n, const char* path);
int EnableJpegLoading();  // lets the loaders accept JPEG data; 1
void FreeSprite(int n);

// The pixels of sprite n, to read or to draw into (its quads show the change from their next draw
// on); no pixels for an empty slot.
PixelArea SpriteArea(int n);

int SpriteWidth(int n);   // 0 for an empty slot
int SpriteHeight(int n);  // 0 for an empty slot
