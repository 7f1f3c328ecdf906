#include "core/cp1251.h"

#include <gtest/gtest.h>

namespace kamerol {
namespace {

TEST(Cp1251Test, CyrillicRoundTrip) {
  const std::string text = "Железобетон Ёё № «Пиво» €";
  const std::string bytes = encodeWindows1251(text);
  EXPECT_EQ(bytes.size(), 25u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC6);   // Ж
  EXPECT_EQ(static_cast<unsigned char>(bytes[12]), 0xA8);  // Ё
  EXPECT_EQ(decodeWindows1251(bytes), text);
}

TEST(Cp1251Test, EveryByteDecodesAndEncodesBack) {
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;  // undefined in the code page
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(encodeWindows1251(decodeWindows1251(byte)), byte) << b;
  }
  EXPECT_EQ(decodeWindows1251("\x98"), "\uFFFD");
  EXPECT_EQ(encodeWindows1251("\uFFFD"), "?");
}

TEST(Cp1251Test, UnrepresentableBecomesQuestionMark) {
  EXPECT_EQ(encodeWindows1251("a中b"), "a?b");
  EXPECT_EQ(encodeWindows1251("😀"), "?");
  EXPECT_EQ(encodeWindows1251("x\xFFy"), "x?y");   // not UTF-8
  EXPECT_EQ(encodeWindows1251("\xD0"), "?");       // truncated sequence
  EXPECT_EQ(encodeWindows1251("\xC0\xAF"), "??");  // overlong
}

TEST(Cp1251Test, Utf8Validation) {
  EXPECT_TRUE(isValidUtf8("Баранина"));
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_FALSE(isValidUtf8("\xC1\xE0\xF0"));  // "Бар" in Windows-1251
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_TRUE(hasNonAscii("Нет"));
  EXPECT_FALSE(hasNonAscii("True"));
}

}  // namespace
}  // namespace kamerol
