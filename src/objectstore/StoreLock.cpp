#include "objectstore/StoreLock.h"

#include <stdexcept>

namespace {

// This thread's shared holds of the (single) store lock.
thread_local int t_sharedDepth = 0;

}  // namespace

CTStoreLock& CTStoreLock::Instance() {
  static CTStoreLock lock;
  return lock;
}

void CTStoreLock::ShowBusy() {
  if (feedback_ && bulkDepth_ == 0) feedback_->Busy();
}

void CTStoreLock::ShowIdle() {
  if (feedback_ && bulkDepth_ == 0) feedback_->Idle();
}

void CTStoreLock::LockShared() {
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  if (writer_ == me) {
    ++writerDepth_;  // a read inside this thread's write
    return;
  }
  if (t_sharedDepth == 0) {
    // New readers give way to a waiting writer; nested reads never wait.
    changed_.wait(lock, [&] { return writerDepth_ == 0 && writersWaiting_ == 0; });
    ++readers_;
  }
  ++t_sharedDepth;
  ShowBusy();
}

void CTStoreLock::UnlockShared() {
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  if (writer_ == me) {
    // A read taken inside this thread's write (holds need not be released in reverse order).
    if (--writerDepth_ == 0) ReleaseWriter();
    return;
  }
  if (--t_sharedDepth == 0) {
    --readers_;
    changed_.notify_all();
  }
  ShowIdle();
}

void CTStoreLock::LockExclusive() {
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  if (writer_ == me) {
    ++writerDepth_;
    return;
  }
  const bool upgrade = t_sharedDepth > 0;
  if (upgrade) {
    if (upgrading_) throw std::logic_error("two threads upgrade the store lock at once");
    upgrading_ = true;
  }
  ++writersWaiting_;
  const int ownReads = upgrade ? 1 : 0;
  changed_.wait(lock, [&] { return writerDepth_ == 0 && readers_ == ownReads; });
  --writersWaiting_;
  if (upgrade) upgrading_ = false;
  writer_ = me;
  writerDepth_ = 1;
  ShowBusy();
}

void CTStoreLock::UnlockExclusive() {
  std::unique_lock lock(mutex_);
  if (--writerDepth_ == 0) ReleaseWriter();
}

void CTStoreLock::ReleaseWriter() {
  writer_ = std::thread::id();
  changed_.notify_all();
  ShowIdle();
}

void CTStoreLock::BeginBulkRead() {
  {
    std::unique_lock lock(mutex_);
    if (bulkDepth_++ == 0 && feedback_) feedback_->Busy();
  }
  LockShared();
}

void CTStoreLock::EndBulkRead() {
  UnlockShared();
  std::unique_lock lock(mutex_);
  if (--bulkDepth_ == 0 && feedback_) feedback_->Idle();
}
