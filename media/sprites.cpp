// Sprite operations: loading images, blank and screen-copied sprites, the blits, BMP writing.
#include "media/sprites.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/file_io.h"
#include "formats/bmp_reader.h"
#include "formats/bmp_writer.h"
#include "formats/jpeg_reader.h"
#include "media/draw.h"
#include "media/screen_buffers.h"
#include "media/sprite_table.h"
#include "raster/blit.h"

namespace {

using ImageDecoder = bool (*)(const std::uint8_t* data, std::size_t size, DecodedImage& out);

struct ImageLoading {
  std::vector<ImageDecoder> decoders;  // tried in order of registration for data not starting with "BM"
};

ImageLoading loading;

bool Decode(const std::uint8_t* data, std::size_t size, DecodedImage& image) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmp(data, size, image);
  for (ImageDecoder decoder : loading.decoders)
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

// Copies the sprite into the back buffer, clipped to the screen; `keyed` leaves key-colour pixels
// out. Nothing is drawn while the window has no focus or a drawing phase holds the back buffer.
void Blit(int n, int x, int y, bool keyed) {
  Sprite* sprite = SpriteSlot(n);
  if (sprite == nullptr || !IsScreenShown() || IsBackBufferHeld()) return;
  BlitArea(BackBufferArea(), {sprite->pixels.data(), sprite->width, sprite->height}, x, y, keyed);
}

// Frees slot n, then fills it with the rectangle of `source` at (x, y); what lies off the source
// becomes black. On failure the slot stays empty.
int CopyToSprite(int n, PixelArea source, int x, int y, int width, int height, int mode) {
  if (n < 0) return 0;
  Sprite& sprite = CreateSpriteSlot(n);
  if (!ValidSize(width, height) || source.pixels == nullptr) {
    FreeSprite(n);
    return 0;
  }
  sprite.pixels.assign(std::size_t(width) * std::size_t(height), 0);
  sprite.width = width;
  sprite.height = height;
  sprite.bits = 0;  // not made from an image file
  sprite.mode = mode;
  CopyRectangle(sprite.Area(), source, x, y);
  return 1;
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
  return CopyToSprite(n, BackBufferArea(), x, y, width, height, mode);
}

int CopyShownFrameToSprite(int n) {
  const PixelArea shown = FrontBufferArea();
  return CopyToSprite(n, shown, 0, 0, shown.width, shown.height, kSpritePlain);
}

void BlitSprite(int n, int x, int y) {
  Blit(n, x, y, false);
}

void BlitSpriteKeyed(int n, int x, int y) {
  Blit(n, x, y, true);
}

int WriteSpriteBmp(int n, const char* path) {
  const Sprite* sprite = SpriteSlot(n);
  if (sprite == nullptr || path == nullptr) {
    errno = EINVAL;
    return 0;
  }
  const std::vector<std::uint8_t> bytes = EncodeBmp(sprite->pixels.data(), sprite->width, sprite->height);
  const int error = CreateNewFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  if (error == 0) return 1;
  errno = error;
  return 0;
}

int EnableJpegLoading() {
  if (std::find(loading.decoders.begin(), loading.decoders.end(), DecodeJpeg) == loading.decoders.end())
    loading.decoders.push_back(DecodeJpeg);
  return 1;
}

void FreeSprite(int n) {
  EmptySpriteSlot(n);
}

PixelArea SpriteArea(int n) {
  Sprite* sprite = SpriteSlot(n);
  return sprite == nullptr ? PixelArea{} : sprite->Area();
}

int SpriteWidth(int n) {
  const Sprite* sprite = SpriteSlot(n);
  return sprite == nullptr ? 0 : sprite->width;
}

int SpriteHeight(int n) {
  const Sprite* sprite = SpriteSlot(n);
  return sprite == nullptr ? 0 : sprite->height;
}
