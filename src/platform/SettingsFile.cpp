#include "platform/SettingsFile.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "platform/CodePage.h"

namespace {

constexpr std::string_view kHeader =
    "; QRN Solvo settings. Values: name = int:<number> | bin:<hex bytes> | str:<text>;"
    " %XX is the byte XX, @ the default value.\n";
// Characters written as escapes in key and value names, besides those escaped everywhere.
constexpr std::string_view kNameReserved = "=[]\\;#";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// The UTF-8 form of each CP1251 byte from 0x80 on, or empty where the byte does not survive the
// way there and back (0x98, or every such byte when the code page is missing).
const std::array<std::string, 256>& Utf8OfBytes() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> utf8;
    for (int b = 0x80; b < 0x100; ++b) {
      const std::string byte(1, static_cast<char>(b));
      std::string text = Utf8FromCp1251(byte);
      if (Cp1251FromUtf8(text) == byte) utf8[b] = std::move(text);
    }
    return utf8;
  }();
  return table;
}

void AppendHexByte(std::string& out, unsigned char b) {
  out += kHexDigits[b >> 4];
  out += kHexDigits[b & 0x0F];
}

std::string Escaped(std::string_view bytes, std::string_view reserved) {
  const auto& utf8 = Utf8OfBytes();
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const auto b = static_cast<unsigned char>(c);
    const bool edgeSpace = c == ' ' && (i == 0 || i + 1 == bytes.size());
    if (b < 0x20 || b == 0x7F || c == '%' || edgeSpace ||
        reserved.find(c) != std::string_view::npos || (b >= 0x80 && utf8[b].empty())) {
      out += '%';
      AppendHexByte(out, b);
    } else if (b >= 0x80) {
      out += utf8[b];
    } else {
      out += c;
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The bytes of an escaped field; nullopt when an escape is not "%" and two hex digits. Text
// between escapes is UTF-8, converted to CP1251.
std::optional<std::string> Unescaped(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '%') continue;
    if (i + 2 >= field.size()) return std::nullopt;
    const int high = HexValue(field[i + 1]);
    const int low = HexValue(field[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += Cp1251FromUtf8(field.substr(runStart, i - runStart));
    out += static_cast<char>(high << 4 | low);
    i += 2;
    runStart = i + 1;
  }
  out += Cp1251FromUtf8(field.substr(runStart));
  return out;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimmedLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trimmed(std::string_view text) {
  text = TrimmedLeft(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> ParsedInteger(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::string> ParsedHexBytes(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high << 4 | low);
    i += 2;
  }
  return bytes;
}

// The key a section header names, created in root; nullptr when the header is not valid.
CTSettingsNode* SectionKey(CTSettingsNode& root, std::string_view line) {
  if (line.size() < 2 || line.back() != ']') return nullptr;
  const std::string_view inner = line.substr(1, line.size() - 2);
  std::vector<std::string> path;
  std::size_t start = 0;
  while (start <= inner.size()) {
    std::size_t end = inner.find('\\', start);
    if (end == std::string_view::npos) end = inner.size();
    const std::string_view piece = Trimmed(inner.substr(start, end - start));
    start = end + 1;
    if (piece.empty()) continue;
    std::optional<std::string> name = Unescaped(piece);
    if (!name || name->find('\\') != std::string::npos) return nullptr;
    if (path.size() == kMaxSettingsKeyDepth) return nullptr;
    path.push_back(std::move(*name));
  }
  return &root.Create(path);
}

void ReadValueLine(CTSettingsNode& key, std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view nameText = Trimmed(line.substr(0, equals));
  const std::string_view valueText = TrimmedLeft(line.substr(equals + 1));
  std::optional<std::string> name = nameText == "@" ? std::string() : Unescaped(nameText);
  if (!name) return;
  const std::size_t colon = valueText.find(':');
  if (colon == std::string_view::npos) return;
  const std::string_view type = valueText.substr(0, colon);
  const std::string_view data = valueText.substr(colon + 1);
  if (type == "int") {
    if (auto number = ParsedInteger(Trimmed(data)))
      key.SetValue(*name, LTSettingsValue::Integer(*number));
  } else if (type == "bin") {
    if (auto bytes = ParsedHexBytes(data)) key.SetValue(*name, LTSettingsValue::Binary(*bytes));
  } else if (type == "str") {
    if (auto text = Unescaped(data)) key.SetValue(*name, LTSettingsValue::String(*text));
  }
}

std::string ValueText(const LTSettingsValue& value) {
  switch (value.type) {
    case LTSettingsType::Integer:
      return "int:" + std::to_string(value.integer);
    case LTSettingsType::Binary: {
      std::string text = "bin:";
      for (std::size_t i = 0; i < value.bytes.size(); ++i) {
        if (i > 0) text += ' ';
        AppendHexByte(text, static_cast<unsigned char>(value.bytes[i]));
      }
      return text;
    }
    case LTSettingsType::String:
      return "str:" + Escaped(value.bytes, {});
  }
  return {};
}

std::string ValueNameText(const std::string& name) {
  if (name.empty()) return "@";
  if (name == "@") return "%40";
  return Escaped(name, kNameReserved);
}

void FormatKey(const CTSettingsNode& key, std::string& path, bool isRoot, std::string& out) {
  if (!key.Values().empty() || (key.SubKeys().empty() && !isRoot)) {
    out += "\n[";
    out += path;
    out += "]\n";
    for (const LTSettingsEntry& entry : key.Values()) {
      out += ValueNameText(entry.name);
      out += " = ";
      out += ValueText(entry.value);
      out += '\n';
    }
  }
  for (const auto& [name, subKey] : key.SubKeys()) {
    const std::size_t mark = path.size();
    if (!isRoot) path += '\\';
    path += Escaped(name, kNameReserved);
    FormatKey(*subKey, path, false, out);
    path.resize(mark);
  }
}

}  // namespace

CTSettingsNode ParseSettingsText(std::string_view text) {
  CTSettingsNode root;
  CTSettingsNode* section = nullptr;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = text.find('\n', position);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trimmed(text.substr(position, end - position));
    position = end + 1;
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      section = SectionKey(root, line);
    } else if (section) {
      ReadValueLine(*section, line);
    }
  }
  return root;
}

std::string FormatSettingsText(const CTSettingsNode& root) {
  std::string out(kHeader);
  std::string path;
  FormatKey(root, path, true, out);
  return out;
}
