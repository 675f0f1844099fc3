#include "platform/CodePage.h"

#include <iconv.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

// The program's own code page, CP1251, built in so that the program's texts convert on any
// installation: bytes 0x80..0xFF in Unicode (0xFFFF: undefined). Bytes below 0x80 are ASCII.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFF, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

constexpr char32_t kNoChar = 0xFFFFFFFF;
constexpr char32_t kReplacement = 0xFFFD;

struct CodePageTable {
  std::array<char32_t, 256> toUnicode{};  // kNoChar where the byte is undefined
  std::unordered_map<char32_t, unsigned char> fromUnicode;
};

std::unique_ptr<CodePageTable> BuiltinCp1251Table() {
  auto table = std::make_unique<CodePageTable>();
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = b < 0x80 ? static_cast<char32_t>(b)
                        : kCp1251High[b - 0x80] == 0xFFFF
                            ? kNoChar
                            : static_cast<char32_t>(kCp1251High[b - 0x80]);
    table->toUnicode[b] = cp;
    if (cp != kNoChar) table->fromUnicode.emplace(cp, static_cast<unsigned char>(b));
  }
  return table;
}

// Decodes one byte through iconv; kNoChar when iconv has no mapping for it.
char32_t DecodeByte(iconv_t cd, unsigned char byte) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in = static_cast<char>(byte);
  char* inPtr = &in;
  std::size_t inLeft = 1;
  unsigned char out[8] = {};
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof out;
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return kNoChar;
  if (sizeof out - outLeft != 4) return kNoChar;
  return static_cast<char32_t>(out[0]) | static_cast<char32_t>(out[1]) << 8 |
         static_cast<char32_t>(out[2]) << 16 | static_cast<char32_t>(out[3]) << 24;
}

std::unique_ptr<CodePageTable> BuildTable(int codePage) {
  if (codePage == kAnsiCodePage) return BuiltinCp1251Table();
  const std::string name = "CP" + std::to_string(codePage);
  iconv_t cd = iconv_open("UTF-32LE", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  auto table = std::make_unique<CodePageTable>();
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = b == 0 ? 0 : DecodeByte(cd, static_cast<unsigned char>(b));
    table->toUnicode[b] = cp;
    if (cp != kNoChar) table->fromUnicode.emplace(cp, static_cast<unsigned char>(b));
  }
  iconv_close(cd);
  return table;
}

using TableMap = std::map<int, std::unique_ptr<CodePageTable>>;

// Caller holds the table mutex.
const CodePageTable& TableForLocked(TableMap& tables, int codePage) {
  auto it = tables.find(codePage);
  if (it != tables.end()) return *it->second;
  auto table = BuildTable(codePage);
  // A code page iconv does not know converts as the program's own, which is always there.
  if (!table) return TableForLocked(tables, kAnsiCodePage);
  return *tables.emplace(codePage, std::move(table)).first->second;
}

const CodePageTable& TableFor(int codePage) {
  static std::mutex mutex;
  static TableMap tables;
  std::lock_guard lock(mutex);
  return TableForLocked(tables, codePage);
}

// Decodes one UTF-8 sequence at text[i]; advances i. Malformed input yields kNoChar and advances
// by one byte.
char32_t NextUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    ++i;
    return kNoChar;
  }
  if (i + extra >= text.size()) {
    ++i;
    return kNoChar;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto c = static_cast<unsigned char>(text[i + k]);
    if ((c & 0xC0) != 0x80) {
      ++i;
      return kNoChar;
    }
    cp = cp << 6 | (c & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kNoChar;
  }
  i += extra + 1;
  return cp;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

unsigned char EncodeChar(const CodePageTable& table, char32_t cp) {
  if (cp < 0x80 && table.toUnicode[cp] == cp) return static_cast<unsigned char>(cp);
  auto it = table.fromUnicode.find(cp);
  return it == table.fromUnicode.end() ? static_cast<unsigned char>('?') : it->second;
}

char32_t DecodeChar(const CodePageTable& table, char byte) {
  const char32_t cp = table.toUnicode[static_cast<unsigned char>(byte)];
  return cp == kNoChar ? kReplacement : cp;
}

}  // namespace

std::string Utf8FromCodePoint(char32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | cp >> 6));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | cp >> 12));
    out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | cp >> 18));
    out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

std::string CodePageFromUtf8(int codePage, std::string_view utf8) {
  const CodePageTable& table = TableFor(codePage);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextUtf8(utf8, i);
    out.push_back(static_cast<char>(cp == kNoChar ? '?' : EncodeChar(table, cp)));
  }
  return out;
}

std::string Utf8FromCodePage(int codePage, std::string_view bytes) {
  const CodePageTable& table = TableFor(codePage);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char b : bytes) {
    if (static_cast<unsigned char>(b) < 0x80) {
      out.push_back(b);
    } else {
      out += Utf8FromCodePoint(DecodeChar(table, b));
    }
  }
  return out;
}

std::u16string Utf16FromCodePage(int codePage, std::string_view bytes) {
  const CodePageTable& table = TableFor(codePage);
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf16(out, DecodeChar(table, b));
  return out;
}

std::string Cp1251FromUtf8(std::string_view utf8) {
  return CodePageFromUtf8(kAnsiCodePage, utf8);
}
std::string Utf8FromCp1251(std::string_view bytes) {
  return Utf8FromCodePage(kAnsiCodePage, bytes);
}
std::u16string Utf16FromCp1251(std::string_view bytes) {
  return Utf16FromCodePage(kAnsiCodePage, bytes);
}

std::string Cp1251FromUtf16(std::u16string_view text) {
  const CodePageTable& table = TableFor(kAnsiCodePage);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kNoChar;
    }
    out.push_back(static_cast<char>(cp == kNoChar ? '?' : EncodeChar(table, cp)));
  }
  return out;
}

int CodePageOfCharset(int charset) {
  switch (charset) {
    case 0:    // default character set
    case 1:    // the system's default
    case 204:  // Cyrillic
      return kAnsiCodePage;
    case 161:
      return 1253;  // Greek
    case 162:
      return 1254;  // Turkish
    case 177:
      return 1255;  // Hebrew
    case 178:
      return 1256;  // Arabic
    case 186:
      return 1257;  // Baltic
    case 163:
      return 1258;  // Vietnamese
    case 238:
      return 1250;  // Eastern European
    case 222:
      return 874;  // Thai
    default:
      return 1252;  // ANSI (Western)
  }
}

std::u16string WideFromCharset(int charset, std::string_view bytes) {
  return Utf16FromCodePage(CodePageOfCharset(charset), bytes);
}
