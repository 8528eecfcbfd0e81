// Windows-1252 to UTF-8 and back.
#include "base/cp1252.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones keep their own number.
constexpr std::uint16_t kHighControlBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The byte that stands for `code`; '?' where Windows-1252 has none
// or where the font draws nothing: the control characters, the undefined bytes among them.
char Cp1252Byte(std::uint32_t code) {
  if ((code >= 0x20 && code < 0x7F) || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (int index = 0; index < 32; ++index) {
    if (kHighControlBlock[index] == code && code > 0x9F) return static_cast<char>(0x80 + index);
  }
  return '?';
}

// Decodes the sequence at `at`; moves `at` past it. A broken sequence gives 0xFFFD and moves past
// its first byte only, so that what follows is read again as a sequence of its own.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  int length = lead < 0x80                   ? 1
               : lead >= 0xC2 && lead < 0xE0 ? 2
               : lead >= 0xE0 && lead < 0xF0 ? 3
               : lead >= 0xF0 && lead < 0xF5 ? 4
                                             : 0;
  if (length == 0 || text.size() - at < std::size_t(length)) {
    ++at;
    return 0xFFFD;
  }
  std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + std::size_t(k)]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return 0xFFFD;
    }
    code = code << 6 | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond U+10FFFF are not characters.
  constexpr std::uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) {
    ++at;
    return 0xFFFD;
  }
  at += std::size_t(length);
  return code;
}

}  // namespace

std::string Cp1252ToUtf8(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControlBlock[byte - 0x80] : byte);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) out += Cp1252Byte(NextCodePoint(utf8, at));
  return out;
}
