#include "objectstore/TextWriter.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

#include "objectstore/FloatText.h"

CTTextWriter::~CTTextWriter() {
  try {
    Flush();
  } catch (const CTStreamError&) {
    // Reported by the explicit Flush() of the caller, if it cares.
  }
}

void CTTextWriter::Flush() {
  if (count_ == 0) return;
  const std::size_t count = count_;
  count_ = 0;
  target_.WriteAll(buffer_.data(), count);
}

void CTTextWriter::WriteBytes(std::string_view bytes) {
  while (!bytes.empty()) {
    if (count_ == buffer_.size()) Flush();
    const std::size_t n = std::min(bytes.size(), buffer_.size() - count_);
    std::memcpy(buffer_.data() + count_, bytes.data(), n);
    count_ += n;
    bytes.remove_prefix(n);
  }
}

void CTTextWriter::WriteInteger(std::int64_t value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  WriteBytes(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

void CTTextWriter::WriteFloat(double value) {
  WriteBytes(FormatStoreFloat(value));
}

void CTTextWriter::WriteRawString(std::string_view name) {
  WriteInteger(static_cast<std::int64_t>(name.size()));
  WriteChar(' ');
  WriteBytes(name);
}

std::string EscapeStoreString(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(value.size());
  for (char ch : value) {
    const auto c = static_cast<std::uint8_t>(ch);
    if (c < 32 || c == '\\') {
      out.push_back('\\');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

void CTTextWriter::WriteEscapedString(std::string_view value) {
  const std::string escaped = EscapeStoreString(value);
  WriteInteger(static_cast<std::int64_t>(escaped.size()));
  WriteChar(' ');
  WriteBytes(escaped);
}

void CTTextWriter::WriteHeader(std::string_view word, int version) {
  WriteBytes(word);
  WriteInteger(version);
  WriteLineEnd();
}
