#include "platform/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

std::unique_ptr<CTFileStream> CTFileStream::Open(const std::string& path, Mode mode,
                                                 std::string* errorText) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::Read:
      flags |= O_RDONLY;
      break;
    case Mode::Create:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case Mode::ReadWrite:
      flags |= O_RDWR | O_CREAT;
      break;
  }
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    if (errorText) *errorText = std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    if (errorText) *errorText = std::strerror(EISDIR);
    return nullptr;
  }
  return std::unique_ptr<CTFileStream>(new CTFileStream(fd, path));
}

CTFileStream::~CTFileStream() {
  ::close(fd_);
}

std::size_t CTFileStream::Read(void* buffer, std::size_t count) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, count);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw CTStreamError("read error on " + path_ + ": " + std::strerror(errno));
  }
}

std::size_t CTFileStream::Write(const void* buffer, std::size_t count) {
  for (;;) {
    const ssize_t n = ::write(fd_, buffer, count);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR)
      throw CTStreamError("write error on " + path_ + ": " + std::strerror(errno));
  }
}

std::int64_t CTFileStream::Seek(std::int64_t offset, Origin origin) {
  const int whence = origin == Origin::Begin     ? SEEK_SET
                     : origin == Origin::Current ? SEEK_CUR
                                                 : SEEK_END;
  const off_t result = ::lseek(fd_, static_cast<off_t>(offset), whence);
  return result < 0 ? -1 : static_cast<std::int64_t>(result);
}

std::int64_t CTFileStream::Size() {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

void CTFileStream::Sync() {
  if (::fsync(fd_) != 0) throw CTStreamError("cannot flush " + path_ + ": " + std::strerror(errno));
}
