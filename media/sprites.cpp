// Sprite operations: loading images, blank and screen-copied sprites, the blits, BMP writing.
#include "media/sprites.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "formats/bmp_reader.h"
#include "formats/bmp_writer.h"
#include "formats/jpeg_reader.h"
#include "media/pixel_rows.h"
#include "media/render_context.h"
#include "media/sprite_table.h"

namespace {

using ImageDecoder = bool (*)(const std::uint8_t* data, std::size_t size, DecodedImage& out);

// Decoders tried in order of registration for data that does not start with "BM".
std::vector<ImageDecoder> decoders;

bool Decode(const std::uint8_t* data, std::size_t size, DecodedImage& image) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmp(data, size, image);
  for (ImageDecoder decoder : decoders)
    if (decoder(data, size, image)) return true;
  return false;
}

// Frees slot n, then fills it from a complete image file. On failure the slot stays empty.
int LoadImage(int n, const std::uint8_t* data, std::size_t size, int mode, const std::string& sourcePath) {
  Sprite& sprite = CreateSpriteSlot(n);
  DecodedImage image;
  if (!Decode(data, size, image)) {
    FreeSprite(n);
    return 0;
  }
  sprite.pixels = std::move(image.pixels);
  sprite.width = image.width;
  sprite.height = image.height;
  sprite.bits = image.bits;
  sprite.mode = mode;
  sprite.sourcePath = sourcePath;
  return 1;
}

bool ValidSize(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

// Clips the sprite to the screen and copies it into the back buffer; `keyed` leaves key-colour
// pixels out, otherwise every pixel is copied, black included.
void Blit(int n, int x, int y, bool keyed) {
  const Sprite* sprite = SpriteSlot(n);
  if (sprite == nullptr || !renderContext.active || !HasBackBuffer()) return;
  const PixelArea screen = BackBufferArea();
  int w = sprite->width;
  int h = sprite->height;
  if (x >= screen.width || y >= screen.height || x <= -w || y <= -h) return;
  if (x + w > screen.width) w = screen.width - x;
  if (y + h > screen.height) h = screen.height - y;
  const int left = x < 0 ? -x : 0;
  const int top = y < 0 ? -y : 0;
  for (int row = top; row < h; ++row) {
    const std::uint32_t* source =
        sprite->pixels.data() + std::size_t(row) * std::size_t(sprite->width) + left;
    std::uint32_t* target = screen.pixels + std::size_t(y + row) * std::size_t(screen.width) + (x + left);
    if (keyed) {
      CopyRowKeyed(target, source, w - left);
    } else {
      CopyRow(target, source, w - left);
    }
  }
}

}  // namespace

int LoadSpriteFile(int n, const char* path, int mode) {
  if (n < 0 || path == nullptr) return 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) return 0;  // a missing file leaves the slot as it was
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                        std::istreambuf_iterator<char>()};
  return LoadImage(n, bytes.data(), bytes.size(), mode, path);
}

int LoadSpriteMemory(int n, const unsigned char* image, std::size_t size, int mode) {
  if (n < 0) return 0;
  return LoadImage(n, image, image == nullptr ? 0 : size, mode, "");
}

int NewSprite(int n, int width, int height, int mode) {
  if (n < 0) return 0;
  Sprite& sprite = CreateSpriteSlot(n);
  if (!ValidSize(width, height)) {
    FreeSprite(n);
    return 0;
  }
  sprite.pixels.assign(std::size_t(width) * std::size_t(height), 0);
  sprite.width = width;
  sprite.height = height;
  sprite.bits = 32;
  sprite.mode = mode;
  return 1;
}

int CopyScreenToSprite(int n, int x, int y, int width, int height, int mode) {
  if (n < 0) return 0;
  Sprite& sprite = CreateSpriteSlot(n);
  const PixelArea screen = BackBufferArea();
  if (!ValidSize(width, height) || screen.pixels == nullptr) {
    FreeSprite(n);
    return 0;
  }
  // Whatever part of the rectangle lies off the screen becomes black.
  sprite.pixels.assign(std::size_t(width) * std::size_t(height), 0);
  const int left = std::clamp(x, 0, screen.width);
  const int right = int(std::clamp<long long>(static_cast<long long>(x) + width, 0, screen.width));
  for (int row = 0; row < height; ++row) {
    const long long sy = static_cast<long long>(y) + row;
    if (sy < 0 || sy >= screen.height || left >= right) continue;
    CopyRow(sprite.pixels.data() + std::size_t(row) * std::size_t(width) + (left - x),
            screen.pixels + std::size_t(sy) * std::size_t(screen.width) + left, right - left);
  }
  sprite.width = width;
  sprite.height = height;
  sprite.bits = 0;  // not made from an image file
  sprite.mode = mode;
  return 1;
}

void BlitSprite(int n, int x, int y) {
  Blit(n, x, y, false);
}

void BlitSpriteKeyed(int n, int x, int y) {
  Blit(n, x, y, true);
}

int WriteSpriteBmp(int n, const char* path) {
  const Sprite* sprite = SpriteSlot(n);
  if (sprite == nullptr || path == nullptr) return 0;
  const std::vector<std::uint8_t> bytes = EncodeBmp(sprite->pixels.data(), sprite->width, sprite->height);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;  // a full disk may only show here
  return written && closed ? 1 : 0;
}

int EnableJpegLoading() {
  if (std::find(decoders.begin(), decoders.end(), DecodeJpeg) == decoders.end())
    decoders.push_back(DecodeJpeg);
  return 1;
}

int SpriteWidth(int n) {
  const Sprite* sprite = SpriteSlot(n);
  return sprite == nullptr ? 0 : sprite->width;
}

int SpriteHeight(int n) {
  const Sprite* sprite = SpriteSlot(n);
  return sprite == nullptr ? 0 : sprite->height;
}
