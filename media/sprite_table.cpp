// The sprite slots: pixels kept in our own memory, textures made from them when needed.
#include "media/sprite_table.h"

#include <memory>

#include "media/render_context.h"
#include "media/sprites.h"

namespace {

constexpr int kInitialSlots = 50;  // also the growth step: creating slot n beyond gives n + 50 slots

std::vector<std::unique_ptr<Sprite>> slots(kInitialSlots);

void DestroyTexture(Sprite& sprite) {
  if (sprite.texture != nullptr) SDL_DestroyTexture(sprite.texture);
  sprite.texture = nullptr;
  sprite.textureStale = true;
}

// Copies the pixels into the texture as ARGB: the key colour 0 becomes fully transparent.
bool UploadPixels(Sprite& sprite) {
  std::vector<std::uint32_t> argb(sprite.pixels.size());
  for (std::size_t i = 0; i < argb.size(); ++i) {
    const std::uint32_t rgb = sprite.pixels[i] & 0xFFFFFF;
    argb[i] = rgb == 0 ? 0 : rgb | 0xFF000000;
  }
  return SDL_UpdateTexture(sprite.texture, nullptr, argb.data(), sprite.width * 4) == 0;
}

}  // namespace

Sprite* SpriteSlot(int n) {
  if (n < 0 || std::size_t(n) >= slots.size()) return nullptr;
  return slots[std::size_t(n)].get();
}

Sprite& CreateSpriteSlot(int n) {
  if (std::size_t(n) >= slots.size()) slots.resize(std::size_t(n) + kInitialSlots);
  FreeSprite(n);
  slots[std::size_t(n)] = std::make_unique<Sprite>();
  return *slots[std::size_t(n)];
}

SDL_Texture* SpriteTexture(Sprite& sprite) {
  if (renderContext.renderer == nullptr || sprite.width <= 0 || sprite.height <= 0) return nullptr;
  if (sprite.texture != nullptr && !sprite.textureStale) return sprite.texture;
  if (sprite.texture == nullptr) {
    sprite.texture = SDL_CreateTexture(renderContext.renderer, SDL_PIXELFORMAT_ARGB8888,
                                       SDL_TEXTUREACCESS_STATIC, sprite.width, sprite.height);
    if (sprite.texture == nullptr) return nullptr;
  }
  if (!UploadPixels(sprite)) {
    DestroyTexture(sprite);
    return nullptr;
  }
  sprite.textureStale = false;
  return sprite.texture;
}

// The renderer is still there after a reset; only the textures' contents are gone.
void DropSpriteTextures() {
  for (auto& sprite : slots)
    if (sprite != nullptr) DestroyTexture(*sprite);
}

void FreeSprite(int n) {
  Sprite* sprite = SpriteSlot(n);
  if (sprite == nullptr) return;
  DestroyTexture(*sprite);
  slots[std::size_t(n)].reset();
}

void FreeAllSprites() {
  for (int n = 0; n < SpriteTableSize(); ++n) FreeSprite(n);
  slots.clear();
  slots.resize(kInitialSlots);
}

int SpriteTableSize() {
  return int(slots.size());
}
