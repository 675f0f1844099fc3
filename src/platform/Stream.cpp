#include "platform/Stream.h"

#include <array>

void CTStream::WriteAll(const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  while (count > 0) {
    const std::size_t written = Write(bytes, count);
    if (written == 0) throw CTStreamError("stream write failed");
    bytes += written;
    count -= written;
  }
}

bool ReadRest(CTStream& source, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  std::array<char, 65536> block;
  for (std::size_t n; (n = source.Read(block.data(), block.size())) > 0;) {
    bytes.append(block.data(), n);
    if (bytes.size() > maxBytes) return false;
  }
  return true;
}

std::uint64_t CopyStream(CTStream& source, CTStream& target) {
  std::array<std::uint8_t, 65536> block;
  std::uint64_t total = 0;
  for (;;) {
    const std::size_t n = source.Read(block.data(), block.size());
    if (n == 0) return total;
    target.WriteAll(block.data(), n);
    total += n;
  }
}
