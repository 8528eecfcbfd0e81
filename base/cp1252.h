// The font's 8-bit character set, Windows-1252, and UTF-8: the game's texts are Windows-1252 bytes,
// its translation catalogues and the font's renderer speak UTF-8.
#pragma once

#include <string>
#include <string_view>

// Windows-1252 bytes up to the terminating zero as UTF-8. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
std::string Cp1252ToUtf8(const char* text);

// UTF-8 as Windows-1252 bytes. A character the set does not have, a control character (line breaks
// and zero bytes included) and a broken or overlong sequence each become one '?', so that the
// result draws as the text and never as garbage.
std::string Utf8ToCp1252(std::string_view utf8);
