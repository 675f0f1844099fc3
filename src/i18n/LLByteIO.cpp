#include "i18n/LLByteIO.h"

#include <algorithm>
#include <limits>

bool CTLLByteIO::Fill() {
  if (position_ < filled_) return true;
  if (ended_) return false;
  position_ = 0;
  filled_ = source_.Read(buffer_.data(), buffer_.size());
  if (filled_ == 0) ended_ = true;
  return filled_ > 0;
}

bool CTLLByteIO::ReadByte(std::uint8_t& value) {
  if (!Fill()) return false;
  value = buffer_[position_++];
  return true;
}

bool CTLLByteIO::ReadInt32(std::int32_t& value) {
  std::uint32_t bits = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    std::uint8_t byte = 0;
    if (!ReadByte(byte)) return false;
    bits |= std::uint32_t{byte} << shift;
  }
  value = static_cast<std::int32_t>(bits);
  return true;
}

bool CTLLByteIO::ReadBytes(std::size_t count, std::string& value) {
  while (count > 0) {
    if (!Fill()) return false;
    const std::size_t n = std::min(count, filled_ - position_);
    value.append(reinterpret_cast<const char*>(buffer_.data() + position_), n);
    position_ += n;
    count -= n;
  }
  return true;
}

bool CTLLByteIO::ReadShortString(std::string& value) {
  value.clear();
  std::uint8_t length = 0;
  return ReadByte(length) && ReadBytes(length, value);
}

bool CTLLByteIO::ReadLongString(std::string& value) {
  value.clear();
  std::int32_t length = 0;
  if (!ReadInt32(length) || length < 0) return false;
  return ReadBytes(static_cast<std::size_t>(length), value);
}
