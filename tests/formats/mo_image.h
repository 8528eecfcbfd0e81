// Compiled gettext catalogues made in memory, laid out as msgfmt writes them: a 28-byte header, the
// table of originals, the table of translations (length and offset of each), then the strings, each
// followed by a zero byte. Shared by the tests and the fuzz seeds.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "formats/byte_order.h"

// The .mo image of `entries` (original, translation), in the given byte order.
inline std::vector<std::uint8_t> MakeMo(const std::vector<std::pair<std::string, std::string>>& entries,
                                        bool bigEndian = false) {
  const auto count = static_cast<std::uint32_t>(entries.size());
  const std::uint32_t originals = 28;
  const std::uint32_t translations = originals + 8 * count;
  std::vector<std::uint8_t> out(translations + 8 * count, 0);
  auto put = [&](std::size_t at, std::uint32_t v) {
    if (bigEndian) v = (v >> 24) | (v >> 8 & 0xFF00) | (v << 8 & 0xFF0000) | (v << 24);
    Put32(out.data() + at, v);
  };
  put(0, 0x950412DE);
  put(4, 0);
  put(8, count);
  put(12, originals);
  put(16, translations);
  auto add = [&](std::size_t entry, const std::string& text) {
    put(entry, static_cast<std::uint32_t>(text.size()));
    put(entry + 4, static_cast<std::uint32_t>(out.size()));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
  };
  for (std::uint32_t i = 0; i < count; ++i) {
    add(originals + 8 * i, entries[i].first);
    add(translations + 8 * i, entries[i].second);
  }
  return out;
}

inline constexpr const char* kUtf8Header = "Content-Type: text/plain; charset=UTF-8\n";
