#include "platform/LockedFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr int kInitialDelayMs = 100;
constexpr int kDelayLimitMs = 1600;
std::atomic<int> g_firstDelayMs{kInitialDelayMs};

enum class TryResult { kDone, kBusy, kFailed };

// Runs attempt with the retry schedule; attempt returns kBusy when the lock is held elsewhere.
template <class Attempt>
TryResult WithRetries(Attempt attempt) {
  int delay = g_firstDelayMs.load();
  bool retried = false;
  for (;;) {
    const TryResult result = attempt();
    if (result != TryResult::kBusy) {
      if (result == TryResult::kDone && retried) g_firstDelayMs = delay;
      return result;
    }
    if (delay >= kDelayLimitMs) return TryResult::kBusy;  // that was the last attempt
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    delay *= 2;
    retried = true;
  }
}

bool LockBusy(int fd, int operation) {
  int rc;
  do {
    rc = ::flock(fd, operation | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  return rc != 0 && errno == EWOULDBLOCK;
}

}  // namespace

int CTLockedFile::FirstDelayMs() {
  return g_firstDelayMs.load();
}
void CTLockedFile::ResetFirstDelay() {
  g_firstDelayMs = kInitialDelayMs;
}

std::unique_ptr<CTFileStream> CTLockedFile::OpenForReading(const std::string& path,
                                                           std::string* errorText, bool* busyOut) {
  std::unique_ptr<CTFileStream> stream;
  const TryResult result = WithRetries([&] {
    stream = CTFileStream::Open(path, CTFileStream::Mode::Read, errorText);
    if (!stream) return TryResult::kFailed;
    if (LockBusy(stream->Descriptor(), LOCK_SH)) {
      stream.reset();
      return TryResult::kBusy;
    }
    return TryResult::kDone;
  });
  if (busyOut) *busyOut = result == TryResult::kBusy;
  if (result == TryResult::kBusy && errorText) *errorText = "the file is being written";
  return result == TryResult::kDone ? std::move(stream) : nullptr;
}

std::unique_ptr<CTLockedFile> CTLockedFile::LockForReplacing(const std::string& path,
                                                             std::string* errorText) {
  int fd = -1;
  const TryResult result = WithRetries([&] {
    if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return TryResult::kDone;  // nothing to replace, nothing to lock
    return LockBusy(fd, LOCK_EX) ? TryResult::kBusy : TryResult::kDone;
  });
  if (result != TryResult::kDone) {
    if (fd >= 0) ::close(fd);
    if (errorText) *errorText = "the file is being written";
    return nullptr;
  }
  return std::unique_ptr<CTLockedFile>(new CTLockedFile(fd));
}

CTLockedFile::~CTLockedFile() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}
