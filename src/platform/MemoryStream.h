#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Stream.h"

// A growable in-memory stream; also serves read-only views of embedded byte arrays.
class CTMemoryStream : public CTStream {
 public:
  CTMemoryStream() = default;
  explicit CTMemoryStream(std::string_view bytes) : data_(bytes.begin(), bytes.end()) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, Origin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

  const std::vector<std::uint8_t>& Bytes() const { return data_; }
  std::string Text() const { return std::string(data_.begin(), data_.end()); }
  std::size_t Position() const { return position_; }

 private:
  std::vector<std::uint8_t> data_;
  std::size_t position_ = 0;
};
