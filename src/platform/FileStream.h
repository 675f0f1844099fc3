#pragma once

#include <memory>
#include <string>

#include "platform/Stream.h"

// A stream over an operating-system file.
class CTFileStream : public CTStream {
 public:
  enum class Mode { Read, Create, ReadWrite };

  // Opens path; on failure Open returns nullptr and sets errorText to the system's reason.
  static std::unique_ptr<CTFileStream> Open(const std::string& path, Mode mode,
                                            std::string* errorText = nullptr);
  ~CTFileStream() override;
  CTFileStream(const CTFileStream&) = delete;
  CTFileStream& operator=(const CTFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, Origin origin) override;
  std::int64_t Size() override;

  // Forces written data to the storage device; throws CTStreamError on failure.
  void Sync();
  int Descriptor() const { return fd_; }
  const std::string& Path() const { return path_; }

 private:
  CTFileStream(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  int fd_;
  std::string path_;
};
