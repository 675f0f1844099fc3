#include "platform/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

CTSafeFileWriter::CTSafeFileWriter(std::string targetPath) : target_(std::move(targetPath)) {
  std::vector<char> pattern(target_.begin(), target_.end());
  const std::string suffix = ".~tmpXXXXXX";
  pattern.insert(pattern.end(), suffix.begin(), suffix.end());
  pattern.push_back('\0');
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) {
    error_ = std::strerror(errno);
    return;
  }
  temp_ = pattern.data();
  // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
  struct stat info {};
  if (::stat(target_.c_str(), &info) == 0) {
    (void)::fchmod(fd, info.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(fd, 0666 & ~mask);
  }
  ::close(fd);
  stream_ = CTFileStream::Open(temp_, CTFileStream::Mode::Create, &error_);
  if (!stream_) ::unlink(temp_.c_str());
}

CTSafeFileWriter::~CTSafeFileWriter() {
  if (stream_) {
    stream_.reset();
    ::unlink(temp_.c_str());
  }
}

bool CTSafeFileWriter::Commit() {
  if (!stream_) {
    if (error_.empty()) error_ = "file is not open";
    return false;
  }
  try {
    stream_->Sync();
  } catch (const CTStreamError& e) {
    error_ = e.what();
    return false;
  }
  stream_.reset();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    error_ = std::strerror(errno);
    ::unlink(temp_.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dir = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return true;
}
