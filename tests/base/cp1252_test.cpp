// Tests of the conversions between the font's Windows-1252 and UTF-8.
#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Cp1252, EveryDrawableByteComesBackFromItsUtf8) {
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    if (byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D)
      continue;
    const char text[2] = {static_cast<char>(byte), 0};
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(text)), std::string(text)) << "byte " << byte;
  }
  EXPECT_EQ(Cp1252ToUtf8("zerst\xF6rt \x80 \x96"), "zerstört € –") << "0xF6, the euro and the en dash";
  EXPECT_EQ(Utf8ToCp1252("Vergnügen – 5 €"), "Vergn\xFCgen \x96 5 \x80");
}

TEST(Cp1252, WhatTheFontCannotDrawBecomesOneQuestionMark) {
  EXPECT_EQ(Utf8ToCp1252("Łódź"),
            "?\xF3"
            "d?")
      << "letters outside the set";
  EXPECT_EQ(Utf8ToCp1252("a\U0001F680b"), "a?b") << "a character of four bytes is one mark";
  EXPECT_EQ(Utf8ToCp1252("a\nb\tc"), "a?b?c") << "control characters draw nothing";
  EXPECT_EQ(Utf8ToCp1252(std::string("a\0b", 3)), "a?b") << "a zero byte would end the text early";
  EXPECT_EQ(Utf8ToCp1252("\xC2\x81"), "?") << "U+0081, a byte the code page leaves undefined";
  EXPECT_EQ(Utf8ToCp1252("\x80x"), "?x") << "a continuation byte without a lead";
  EXPECT_EQ(Utf8ToCp1252("x\xE2\x82"), "x??") << "a sequence cut off at the end";
  EXPECT_EQ(Utf8ToCp1252("\xC3("), "?(") << "a lead whose next byte does not continue it";
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??") << "an overlong '/'";
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???") << "a surrogate";
  EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "????") << "beyond U+10FFFF";
}

}  // namespace
