#pragma once

#include <string>
#include <string_view>

// Conversion between the 8-bit text the program holds (CP1251 in this build) and Unicode.
// Text inside the program is std::string of code-page bytes; Unicode appears only at the edges
// (widgets, RTF and DXF escapes, UTF-8 source tables). Characters the code page cannot hold become
// '?', bytes the code page leaves undefined become U+FFFD: nothing is dropped silently.
//
// The program's own code page is a built-in table, so its texts convert whatever iconv has; the
// tables of other code pages are built once through iconv. Conversions are table look-ups.

// Code page of the program's own texts.
inline constexpr int kAnsiCodePage = 1251;
// Character set number of the localisation's texts (Cyrillic).
inline constexpr int kCyrillicCharset = 204;

std::string Cp1251FromUtf8(std::string_view utf8);
std::string Utf8FromCp1251(std::string_view bytes);
std::u16string Utf16FromCp1251(std::string_view bytes);
std::string Cp1251FromUtf16(std::u16string_view text);

// The same for any single-byte code page that iconv knows ("CP<number>"); an unknown code page
// converts as CP1251.
std::string CodePageFromUtf8(int codePage, std::string_view utf8);
std::string Utf8FromCodePage(int codePage, std::string_view bytes);
std::u16string Utf16FromCodePage(int codePage, std::string_view bytes);

// The code page that belongs to a font character set number; the default character set (0, 1)
// means the program's own code page.
int CodePageOfCharset(int charset);

// Converts code-page bytes with the code page of a character set to UTF-16.
std::u16string WideFromCharset(int charset, std::string_view bytes);

// UTF-8 helpers used by the converters and by tests.
std::string Utf8FromCodePoint(char32_t codePoint);
