#include "platform/SettingsHiveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "platform/SafeFileWriter.h"
#include "platform/SettingsFile.h"

namespace {

bool MayWrite(const std::string& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

// Whether something other than a regular file stands where the file belongs.
bool IsOtherThanFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

// Seconds of the clock that stamps file times.
std::int64_t Now() {
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
}

// "<what> <path>: <the system's reason>" for the error in errno.
std::string Reason(const char* what, const std::string& path) {
  const int error = errno;
  return std::string(what) + " " + path + ": " + std::strerror(error);
}

// Holds the exclusive advisory lock on a lock file while it lives.
class CTLockFileHold {
 public:
  explicit CTLockFileHold(const std::string& path) {
    do {
      fd_ = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
      error_ = Reason("cannot open", path);
      return;
    }
    int result;
    do {
      result = ::flock(fd_, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
      error_ = Reason("cannot lock", path);
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~CTLockFileHold() {
    if (fd_ >= 0) ::close(fd_);
  }
  CTLockFileHold(const CTLockFileHold&) = delete;
  CTLockFileHold& operator=(const CTLockFileHold&) = delete;

  bool Held() const { return fd_ >= 0; }
  const std::string& ErrorText() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

}  // namespace

CTSettingsHiveFile::Identity CTSettingsHiveFile::IdentityNow() const {
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0) return {};
  return IdentityOf(info);
}

CTSettingsHiveFile::Identity CTSettingsHiveFile::IdentityOf(const struct stat& info) {
  return {true,
          static_cast<std::uint64_t>(info.st_dev),
          static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::int64_t>(info.st_size),
          static_cast<std::int64_t>(info.st_mtim.tv_sec),
          static_cast<std::int64_t>(info.st_mtim.tv_nsec),
          static_cast<std::int64_t>(info.st_ctim.tv_sec),
          static_cast<std::int64_t>(info.st_ctim.tv_nsec)};
}

CTSettingsHiveFile::Load CTSettingsHiveFile::ReadFile(std::string& text, Identity& identity,
                                                      std::string& reason) const {
  text.clear();
  identity = IdentityNow();
  int fd;
  // Non-blocking, so that a pipe put where the file belongs cannot stall the open.
  do {
    fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return Load::Missing;
    reason = Reason("cannot read", path_);
    return Load::Unreadable;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    reason = "cannot read " + path_ + ": not a regular file";
    ::close(fd);
    return Load::Unreadable;
  }
  identity = IdentityOf(info);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      reason = Reason("cannot read", path_);
      ::close(fd);
      return Load::Unreadable;
    }
  }
  ::close(fd);
  return Load::Read;
}

void CTSettingsHiveFile::Keep(std::string text, const Identity& identity, std::int64_t readAfter) {
  currentText_ = std::move(text);
  currentIdentity_ = identity;
  // File times advance in coarse steps and the inode number of a replaced file soon goes to the
  // next one, so a file changed twice within one step can look exactly like the copy read in
  // between. The copy is trusted only when it was read clearly after the file's last change;
  // until then each read compares the file's bytes with it.
  settled_ = !identity.exists || readAfter - 2 > identity.modified;
}

std::shared_ptr<const CTSettingsNode> CTSettingsHiveFile::Current() {
  std::lock_guard lock(mutex_);
  if (current_ && settled_ && IdentityNow() == currentIdentity_) return current_;
  const std::int64_t started = Now();
  std::string text;
  Identity identity;
  std::string ignored;
  if (ReadFile(text, identity, ignored) == Load::Unreadable) {
    // Perhaps passing (out of descriptors, say): try again next time.
    current_.reset();
    return std::make_shared<const CTSettingsNode>();
  }
  if (!current_ || text != currentText_)
    current_ = std::make_shared<const CTSettingsNode>(ParseSettingsText(text));
  Keep(std::move(text), identity, started);
  return current_;
}

bool CTSettingsHiveFile::PrepareToWrite(std::string& reason) const {
  const std::string folder = FolderOf(path_);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    reason = "cannot create " + folder + ": " + error.message();
    return false;
  }
  if (!MayWrite(folder, W_OK | X_OK)) {
    reason = Reason("cannot write in", folder);
    return false;
  }
  if (IsOtherThanFile(path_)) {
    reason = "cannot write " + path_ + ": not a regular file";
    return false;
  }
  if (MayWrite(path_, F_OK) && !MayWrite(path_, W_OK)) {
    reason = Reason("cannot write", path_);
    return false;
  }
  return true;
}

bool CTSettingsHiveFile::Save(const std::string& text, std::string& reason) const {
  CTSafeFileWriter writer(path_);
  if (!writer.IsOpen()) {
    reason = "cannot write " + path_ + ": " + writer.ErrorText();
    return false;
  }
  try {
    writer.Stream()->WriteAll(text);
  } catch (const CTStreamError& e) {
    reason = e.what();
    return false;
  }
  if (!writer.Commit()) {
    reason = "cannot write " + path_ + ": " + writer.ErrorText();
    return false;
  }
  return true;
}

bool CTSettingsHiveFile::Modify(const std::function<Change(CTSettingsNode&)>& change) {
  std::lock_guard lock(mutex_);
  error_.clear();
  if (!PrepareToWrite(error_)) return false;
  CTLockFileHold hold(path_ + ".lock");
  if (!hold.Held()) {
    error_ = hold.ErrorText();
    return false;
  }
  const std::int64_t started = Now();
  std::string text;
  Identity identity;
  if (ReadFile(text, identity, error_) == Load::Unreadable) return false;  // never overwrite it
  CTSettingsNode tree = ParseSettingsText(text);
  const Change result = change(tree);
  if (result == Change::Refused) return false;
  if (result == Change::Changed) {
    text = FormatSettingsText(tree);
    if (!Save(text, error_)) {
      current_.reset();
      return false;
    }
    identity = IdentityNow();
  }
  current_ = std::make_shared<const CTSettingsNode>(std::move(tree));
  Keep(std::move(text), identity, started);
  return true;
}

bool CTSettingsHiveFile::CanWrite() const {
  // The nearest folder on the way up that exists decides whether the rest can be created.
  std::filesystem::path folder = FolderOf(path_);
  for (;;) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
      if (!S_ISDIR(info.st_mode)) return false;
      break;
    }
    if (errno != ENOENT) return false;
    std::filesystem::path parent = folder.parent_path();
    if (parent.empty()) parent = ".";
    if (parent == folder) return false;
    folder = parent;
  }
  if (!MayWrite(folder.string(), W_OK | X_OK) || IsOtherThanFile(path_)) return false;
  return !MayWrite(path_, F_OK) || MayWrite(path_, W_OK);
}

std::string CTSettingsHiveFile::ErrorText() const {
  std::lock_guard lock(mutex_);
  return error_;
}
