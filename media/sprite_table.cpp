// The sprite slots: pixels kept in our own memory, in the display's format.
#include "media/sprite_table.h"

#include <memory>

#include "raster/texel_lanes.h"

namespace {

constexpr int kInitialSlots = 50;  // also the growth step: creating slot n beyond gives n + 50 slots

struct SpriteTable {
  std::vector<std::unique_ptr<Sprite>> slots = std::vector<std::unique_ptr<Sprite>>(kInitialSlots);
};

SpriteTable table;

}  // namespace

Sprite* SpriteSlot(int n) {
  if (n < 0 || std::size_t(n) >= table.slots.size()) return nullptr;
  return table.slots[std::size_t(n)].get();
}

Sprite& CreateSpriteSlot(int n) {
  if (std::size_t(n) >= table.slots.size()) table.slots.resize(std::size_t(n) + kInitialSlots);
  table.slots[std::size_t(n)] = std::make_unique<Sprite>();
  return *table.slots[std::size_t(n)];
}

const std::uint64_t* SpriteLanes(Sprite& sprite) {
  if (sprite.lanes.size() != sprite.pixels.size() || sprite.lanesFrom != sprite.pixels.data()) {
    sprite.lanes = MakeTexelLanes(sprite.pixels.data(), sprite.pixels.size());
    sprite.lanesFrom = sprite.pixels.data();
  }
  return sprite.lanes.data();
}

void EmptySpriteSlot(int n) {
  if (SpriteSlot(n) != nullptr) table.slots[std::size_t(n)].reset();
}

void EmptyAllSpriteSlots() {
  table = SpriteTable{};
}

int SpriteTableSize() {
  return int(table.slots.size());
}
