// PNG files of the generated art, for the desktop's icon of the game.
#pragma once

#include "tools/artgen/encode.h"
#include "tools/artgen/raster.h"

// 8-bit RGBA, not interlaced; the canvas's coverage is the alpha channel. The image data is one
// zlib stream of stored (uncompressed) blocks: icons are small, and no library is needed.
Bytes EncodePng(const Canvas& canvas);
