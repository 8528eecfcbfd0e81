// The sprite slots: pixels kept in our own memory, in the display's format.
#include "media/sprite_table.h"

#include <memory>

#include "media/sprites.h"

namespace {

constexpr int kInitialSlots = 50;  // also the growth step: creating slot n beyond gives n + 50 slots

std::vector<std::unique_ptr<Sprite>> slots(kInitialSlots);

}  // namespace

Sprite* SpriteSlot(int n) {
  if (n < 0 || std::size_t(n) >= slots.size()) return nullptr;
  return slots[std::size_t(n)].get();
}

Sprite& CreateSpriteSlot(int n) {
  if (std::size_t(n) >= slots.size()) slots.resize(std::size_t(n) + kInitialSlots);
  slots[std::size_t(n)] = std::make_unique<Sprite>();
  return *slots[std::size_t(n)];
}

const std::uint64_t* SpriteLanes(Sprite& sprite) {
  if (sprite.lanes.size() != sprite.pixels.size() || sprite.lanesFrom != sprite.pixels.data()) {
    sprite.lanes.resize(sprite.pixels.size());
    for (std::size_t i = 0; i < sprite.pixels.size(); ++i) {
      const std::uint64_t texel = sprite.pixels[i] & 0xFFFFFF;
      sprite.lanes[i] = (texel & 0xFF) | (texel >> 8 & 0xFF) << 16 | (texel >> 16) << 32 |
                        std::uint64_t(texel != 0 ? 255 : 0) << 48;
    }
    sprite.lanesFrom = sprite.pixels.data();
  }
  return sprite.lanes.data();
}

void FreeSprite(int n) {
  if (SpriteSlot(n) != nullptr) slots[std::size_t(n)].reset();
}

void FreeAllSprites() {
  slots.clear();
  slots.resize(kInitialSlots);
}

int SpriteTableSize() {
  return int(slots.size());
}
