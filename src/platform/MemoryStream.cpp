#include "platform/MemoryStream.h"

#include <algorithm>
#include <cstring>

std::size_t CTMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= data_.size()) return 0;
  const std::size_t n = std::min(count, data_.size() - position_);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t CTMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (position_ + count > data_.size()) data_.resize(position_ + count);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

std::int64_t CTMemoryStream::Seek(std::int64_t offset, Origin origin) {
  std::int64_t base = 0;
  if (origin == Origin::Current) base = static_cast<std::int64_t>(position_);
  if (origin == Origin::End) base = static_cast<std::int64_t>(data_.size());
  const std::int64_t target = base + offset;
  if (target < 0) return -1;
  // Seeking past the end is allowed; a later write fills the gap with zero bytes.
  position_ = static_cast<std::size_t>(target);
  return target;
}
