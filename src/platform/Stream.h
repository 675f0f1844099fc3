#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

// A byte stream in the manner of the object store's files: readers and writers move bytes in
// blocks and may seek when the stream allows it. Streams that cannot do an operation report it
// through the return value (0 bytes, position -1) rather than by throwing; I/O failures of a
// stream that can do the operation throw CTStreamError.
class CTStream {
 public:
  enum class Origin { Begin, Current, End };

  virtual ~CTStream() = default;

  // Reads up to count bytes; returns how many were read (0 at the end of the data).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Moves the position; returns the new absolute position, or -1 when the stream cannot seek.
  virtual std::int64_t Seek(std::int64_t offset, Origin origin) = 0;
  // Total size in bytes, or -1 when the stream does not know it.
  virtual std::int64_t Size() { return -1; }

  // Writes all bytes or throws CTStreamError.
  void WriteAll(const void* buffer, std::size_t count);
  void WriteAll(const std::string& bytes) { WriteAll(bytes.data(), bytes.size()); }
};

class CTStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Copies everything readable from source into target; returns the number of bytes copied.
std::uint64_t CopyStream(CTStream& source, CTStream& target);

// Reads everything readable from source into bytes (replacing them). False as soon as more than
// maxBytes would be held; bytes then holds the first block beyond the limit at most. Stream
// failures throw CTStreamError.
bool ReadRest(CTStream& source, std::string& bytes,
              std::size_t maxBytes = std::numeric_limits<std::size_t>::max());
