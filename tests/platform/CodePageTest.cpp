#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "platform/CodePage.h"

TEST(CodePage, Cp1251RoundTripsEveryDefinedByte) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;  // the one byte CP1251 leaves undefined
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Cp1251FromUtf8(Utf8FromCp1251(byte)), byte) << b;
    EXPECT_EQ(Cp1251FromUtf16(Utf16FromCp1251(byte)), byte) << b;
  }
}

// The program's own code page is built in; iconv's CP1251 is the independent reference.
TEST(CodePage, BuiltinCp1251AgreesWithIconv) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "this machine's iconv has no CP1251";
  for (int b = 1; b < 256; ++b) {
    char in = static_cast<char>(b);
    char out[8] = {};
    char* inPtr = &in;
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const bool defined =
        iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    const std::string expected = defined ? std::string(out, sizeof out - outLeft) : "\xEF\xBF\xBD";
    EXPECT_EQ(Utf8FromCp1251(std::string(1, in)), expected) << b;
  }
  iconv_close(cd);
}

TEST(CodePage, RussianText) {
  const std::string ansi = Cp1251FromUtf8("Файл не найден");
  EXPECT_EQ(ansi, "\xD4\xE0\xE9\xEB \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED");
  EXPECT_EQ(Utf8FromCp1251(ansi), "Файл не найден");
  EXPECT_EQ(Cp1251FromUtf8("°C №"),
            "\xB0"
            "C \xB9");
  EXPECT_EQ(Utf16FromCp1251("\xC0"), u"А");
}

TEST(CodePage, UnmappableCharactersAreReplacedVisibly) {
  EXPECT_EQ(Cp1251FromUtf8("a€b"),
            "a\x88"
            "b");  // the euro sign exists in CP1251
  EXPECT_EQ(Cp1251FromUtf8("a中b"), "a?b");
  EXPECT_EQ(Cp1251FromUtf8("a\xFF"
                           "b"),
            "a?b");                               // malformed UTF-8
  EXPECT_EQ(Cp1251FromUtf8("a\xE2\x82"), "a??");  // truncated sequence
  EXPECT_EQ(Cp1251FromUtf8("😀"), "?");
  EXPECT_EQ(Cp1251FromUtf16(u"x\xD800y"), "x?y");     // lone surrogate
  EXPECT_EQ(Utf8FromCp1251("\x98"), "\xEF\xBF\xBD");  // U+FFFD
}

TEST(CodePage, CharsetsSelectCodePages) {
  EXPECT_EQ(CodePageOfCharset(0), 1251);
  EXPECT_EQ(CodePageOfCharset(204), 1251);
  EXPECT_EQ(CodePageOfCharset(238), 1250);
  EXPECT_EQ(WideFromCharset(161, "\xC1"), u"\u0391");  // Greek capital alpha
  EXPECT_EQ(WideFromCharset(204, "\xC1"), u"Б");
}
