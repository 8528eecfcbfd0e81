// Tests of the little-endian field helpers: the byte order every format test builds its files with,
// and a top bit that stays a plain bit.
#include "formats/byte_order.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

using Six = std::array<std::uint8_t, 6>;

TEST(ByteOrder, LowByteFirstAndNoSignFromTheTopBit) {
  const Six bytes = {0x02, 0x01, 0xFF, 0x80, 0, 0};
  EXPECT_EQ(Read16(bytes.data()), 0x0102) << "the first byte is the low one";
  EXPECT_EQ(Read16(bytes.data() + 2), 0x80FF);
  const std::uint64_t wide = Read32(bytes.data());
  EXPECT_EQ(wide, 0x80FF0102u) << "a top byte of 0x80 or more spreads no sign into a wider type";

  Six written;
  written.fill(0xAA);
  Put32(written.data() + 1, 0x80FF0102);
  EXPECT_EQ(written, (Six{0xAA, 0x02, 0x01, 0xFF, 0x80, 0xAA})) << "four bytes, low first, nothing beside";
  Put16(written.data() + 1, 0xABCD1234);
  EXPECT_EQ(written, (Six{0xAA, 0x34, 0x12, 0xFF, 0x80, 0xAA})) << "the low half only, in two bytes";
}

}  // namespace
