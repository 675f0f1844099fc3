#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Stream.h"

// A seekable stream over bytes whose device fails: reading or writing beyond the first `limit`
// bytes raises CTStreamError, as a file on a failing disk or a dropped network share would.
class CTFailingStream : public CTStream {
 public:
  CTFailingStream(std::string bytes, std::size_t limit) : bytes_(std::move(bytes)), limit_(limit) {}

  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t end = std::min(bytes_.size(), pos_ + count);
    if (end > limit_) throw CTStreamError("read error: device failed");
    const std::size_t n = end > pos_ ? end - pos_ : 0;
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }
  std::size_t Write(const void* buffer, std::size_t count) override {
    if (pos_ + count > limit_) throw CTStreamError("write error: device failed");
    bytes_.replace(pos_, std::min(count, bytes_.size() - pos_), static_cast<const char*>(buffer),
                   count);
    pos_ += count;
    return count;
  }
  std::int64_t Seek(std::int64_t offset, Origin origin) override {
    const std::int64_t base = origin == Origin::Begin ? 0
                              : origin == Origin::Current
                                  ? static_cast<std::int64_t>(pos_)
                                  : static_cast<std::int64_t>(bytes_.size());
    if (base + offset < 0) return -1;
    pos_ = static_cast<std::size_t>(base + offset);
    return base + offset;
  }

 private:
  std::string bytes_;
  std::size_t limit_;
  std::size_t pos_ = 0;
};
