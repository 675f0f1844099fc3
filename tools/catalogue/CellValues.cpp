#include "tools/catalogue/CellValues.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "objectstore/FloatText.h"
#include "platform/CodePage.h"
#include "platform/FileStream.h"

namespace {

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The length of the UTF-8 sequence that starts with lead (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// Describes the first character of utf8 that does not survive the way through the code page.
std::string FirstUnmappable(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n =
        std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const std::string_view one = utf8.substr(i, n);
    if (Utf8FromCp1251(Cp1251FromUtf8(one)) != one) {
      // Decode the code point for the message; malformed input is named by its bytes.
      char32_t cp = 0;
      bool wellFormed = n > 1 || static_cast<unsigned char>(one[0]) < 0x80;
      if (n > 1) {
        cp = static_cast<unsigned char>(one[0]) & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
          const auto c = static_cast<unsigned char>(one[k]);
          if ((c & 0xC0) != 0x80) wellFormed = false;
          cp = cp << 6 | (c & 0x3F);
        }
      } else {
        cp = static_cast<unsigned char>(one[0]);
      }
      char text[64];
      if (!wellFormed || Utf8FromCodePoint(cp) != one) {
        std::snprintf(text, sizeof text, "malformed UTF-8 (byte 0x%02X)",
                      static_cast<unsigned>(static_cast<unsigned char>(one[0])));
      } else {
        std::snprintf(text, sizeof text, "character U+%04X is not in code page 1251",
                      static_cast<unsigned>(cp));
      }
      return text;
    }
    i += n;
  }
  return "text does not convert to code page 1251";
}

}  // namespace

std::optional<bool> CellBoolean(std::string_view text, std::string& problem) {
  if (text == "0") return false;
  if (text == "1") return true;
  problem = "bad boolean " + Quoted(text) + " (write 0 or 1)";
  return std::nullopt;
}

std::optional<std::int32_t> CellInteger(std::string_view text, std::string& problem) {
  const std::string_view digits = !text.empty() && text[0] == '-' ? text.substr(1) : text;
  std::int32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (!AllDigits(digits) || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    problem = AllDigits(digits) ? "integer " + Quoted(text) + " is out of range"
                                : "bad integer " + Quoted(text);
    return std::nullopt;
  }
  return value;
}

std::optional<double> CellDouble(std::string_view text, std::string& problem) {
  const auto value = ParseStoreFloat(text);
  if (!value || !std::isfinite(*value)) {
    problem = "bad number " + Quoted(text);
    return std::nullopt;
  }
  return value;
}

std::optional<double> CellDate(std::string_view text, std::string& problem) {
  using namespace std::chrono;
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                      AllDigits(text.substr(0, 4)) && AllDigits(text.substr(5, 2)) &&
                      AllDigits(text.substr(8, 2));
  if (shaped) {
    auto number = [&](std::size_t at, std::size_t length) {
      int value = 0;
      std::from_chars(text.data() + at, text.data() + at + length, value);
      return value;
    };
    const year_month_day date{year(number(0, 4)), month(static_cast<unsigned>(number(5, 2))),
                              day(static_cast<unsigned>(number(8, 2)))};
    if (date.ok()) {
      constexpr year_month_day kBase{year(1899), month(12), day(30)};
      return static_cast<double>((sys_days(date) - sys_days(kBase)).count());
    }
  }
  problem = "bad date " + Quoted(text) + " (write YYYY-MM-DD)";
  return std::nullopt;
}

std::optional<std::string> CellCodePageText(std::string_view utf8, std::string& problem) {
  std::string bytes = Cp1251FromUtf8(utf8);
  if (Utf8FromCp1251(bytes) == utf8) return bytes;
  problem = FirstUnmappable(utf8);
  return std::nullopt;
}

std::optional<std::string> CellBlob(std::string_view text, const std::string& sourceFile,
                                    std::string& problem) {
  constexpr std::string_view kPrefix = "file:";
  if (text.substr(0, kPrefix.size()) != kPrefix || text.size() == kPrefix.size()) {
    problem = "bad blob " + Quoted(text) + " (write file:PATH)";
    return std::nullopt;
  }
  const std::filesystem::path relative(std::string(text.substr(kPrefix.size())));
  const std::filesystem::path path =
      relative.is_absolute() ? relative
                             : std::filesystem::path(sourceFile).parent_path() / relative;
  std::string reason;
  auto in = CTFileStream::Open(path.string(), CTFileStream::Mode::Read, &reason);
  if (!in) {
    problem = "cannot read " + path.string() + ": " + reason;
    return std::nullopt;
  }
  try {
    if (in->Size() > kMaxBlobBytes) {
      problem = path.string() + " is larger than " + std::to_string(kMaxBlobBytes) + " bytes";
      return std::nullopt;
    }
    std::string bytes;
    if (!ReadRest(*in, bytes, static_cast<std::size_t>(kMaxBlobBytes))) {
      problem = path.string() + " is larger than " + std::to_string(kMaxBlobBytes) + " bytes";
      return std::nullopt;
    }
    return bytes;
  } catch (const CTStreamError& e) {
    problem = "cannot read " + path.string() + ": " + e.what();
    return std::nullopt;
  }
}

bool IsGlobPattern(std::string_view key) {
  return key.find_first_of("*?") != std::string_view::npos;
}

bool GlobMatches(std::string_view pattern, std::string_view name) {
  // Iterative matching with one backtrack point for the last "*".
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}
