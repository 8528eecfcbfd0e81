// The reader of compiled gettext catalogues.
#include "formats/mo_catalogue.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "formats/byte_order.h"

namespace {

constexpr std::uint32_t kMagic = 0x950412DE;  // as read low byte first from a little-endian file
constexpr std::uint32_t kSwappedMagic = 0xDE120495;
constexpr std::size_t kHeaderBytes = 28;  // magic, revision, count, two table offsets, hash table

std::uint32_t Swapped(std::uint32_t v) {
  return (v >> 24) | (v >> 8 & 0xFF00) | (v << 8 & 0xFF0000) | (v << 24);
}

struct MoFile {
  const std::uint8_t* bytes;
  std::size_t size;
  bool swapped;  // written big-endian

  std::uint32_t Word(std::size_t at) const {
    const std::uint32_t v = Read32(bytes + at);
    return swapped ? Swapped(v) : v;
  }

  // String `index` of the table at `table` (length and offset pairs); false if it lies outside.
  bool String(std::uint32_t table, std::uint32_t index, std::string_view& out) const {
    const std::uint64_t entry = std::uint64_t{table} + std::uint64_t{index} * 8;
    if (entry + 8 > size) return false;
    const std::uint32_t length = Word(std::size_t(entry));
    const std::uint32_t offset = Word(std::size_t(entry) + 4);
    if (std::uint64_t{offset} + length > size) return false;
    out = std::string_view(reinterpret_cast<const char*>(bytes) + offset, length);
    return true;
  }
};

// The text up to its first zero byte: the singular of an entry with plural forms.
std::string_view FirstForm(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// The charset the header declares ("Content-Type: text/plain; charset=UTF-8"); empty for none.
std::string CharsetOf(std::string_view header) {
  const std::size_t at = header.find("charset=");
  if (at == std::string_view::npos) return "";
  std::string_view value = header.substr(at + 8);
  value = value.substr(0, value.find_first_of(" \t;\n"));
  std::string lower(value);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

bool ParseMoCatalogue(const std::uint8_t* bytes, std::size_t size,
                      std::unordered_map<std::string, std::string>& translations, std::string& error) {
  translations.clear();
  if (bytes == nullptr || size < kHeaderBytes) {
    error = "too short for a catalogue";
    return false;
  }
  const std::uint32_t magic = Read32(bytes);
  if (magic != kMagic && magic != kSwappedMagic) {
    error = "not a compiled gettext catalogue";
    return false;
  }
  const MoFile file{bytes, size, magic == kSwappedMagic};
  if (file.Word(4) >> 16 > 1) {
    error = "a catalogue of a revision this reader does not know";
    return false;
  }
  const std::uint32_t count = file.Word(8);
  const std::uint32_t originals = file.Word(12);
  const std::uint32_t translated = file.Word(16);
  std::unordered_map<std::string, std::string> read;
  for (std::uint32_t index = 0; index < count; ++index) {
    std::string_view original, translation;
    if (!file.String(originals, index, original) || !file.String(translated, index, translation)) {
      error = "entry " + std::to_string(index) + " lies outside the file";
      return false;
    }
    if (original.empty()) {
      const std::string charset = CharsetOf(translation);
      if (!charset.empty() && charset != "utf-8" && charset != "utf8") {
        error = "the catalogue is in " + charset + ", not UTF-8";
        return false;
      }
      continue;
    }
    // An original that starts with a zero byte is a plural form without a singular: no key.
    const std::string_view key = FirstForm(original);
    translation = FirstForm(translation);
    if (!key.empty() && !translation.empty()) read.emplace(key, translation);
  }
  translations = std::move(read);
  return true;
}
