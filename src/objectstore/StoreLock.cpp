#include "objectstore/StoreLock.h"

#include <stdexcept>

namespace {

// This thread's holds of the (single) store lock, and its bulk-read depth.
thread_local int t_sharedDepth = 0;
thread_local int t_exclusiveDepth = 0;
thread_local int t_bulkDepth = 0;

}  // namespace

CTStoreLock& CTStoreLock::Instance() {
  static CTStoreLock lock;
  return lock;
}

void CTStoreLock::SetFeedback(CTBusyFeedback* feedback) {
  feedbackThread_.store(std::this_thread::get_id());
  feedback_.store(feedback);
}

bool CTStoreLock::WriterWaiting() {
  std::lock_guard lock(mutex_);
  return writersWaiting_ > 0;
}

CTBusyFeedback* CTStoreLock::OwnFeedback() const {
  CTBusyFeedback* feedback = feedback_.load();
  return feedback && feedbackThread_.load() == std::this_thread::get_id() ? feedback : nullptr;
}

void CTStoreLock::ShowBusy() {
  if (t_bulkDepth > 0) return;
  if (CTBusyFeedback* feedback = OwnFeedback()) feedback->Busy();
}

void CTStoreLock::ShowIdle() {
  if (t_bulkDepth > 0) return;
  if (CTBusyFeedback* feedback = OwnFeedback()) feedback->Idle();
}

void CTStoreLock::LockShared() {
  if (t_sharedDepth == 0) {
    std::unique_lock lock(mutex_);
    // A first read gives way to another thread's write, current or waiting; a read inside this
    // thread's own write goes ahead at once, like every nested read.
    if (t_exclusiveDepth == 0) {
      changed_.wait(lock, [&] { return writer_ == std::thread::id() && writersWaiting_ == 0; });
    }
    ++readers_;
  }
  ++t_sharedDepth;
  ShowBusy();
}

void CTStoreLock::UnlockShared() {
  if (t_sharedDepth == 0) throw std::logic_error("the store lock is not held shared");
  if (t_sharedDepth == 1) {
    std::lock_guard lock(mutex_);
    --readers_;
    changed_.notify_all();
  }
  --t_sharedDepth;
  ShowIdle();
}

void CTStoreLock::LockExclusive() {
  if (t_exclusiveDepth == 0) {
    std::unique_lock lock(mutex_);
    const bool upgrade = t_sharedDepth > 0;
    if (upgrade) {
      if (upgrading_) throw std::logic_error("two threads upgrade the store lock at once");
      upgrading_ = true;
    }
    ++writersWaiting_;
    const int ownReads = upgrade ? 1 : 0;
    changed_.wait(lock, [&] { return writer_ == std::thread::id() && readers_ == ownReads; });
    --writersWaiting_;
    if (upgrade) upgrading_ = false;
    writer_ = std::this_thread::get_id();
  }
  ++t_exclusiveDepth;
  ShowBusy();
}

void CTStoreLock::UnlockExclusive() {
  if (t_exclusiveDepth == 0) throw std::logic_error("the store lock is not held exclusively");
  if (t_exclusiveDepth == 1) {
    std::lock_guard lock(mutex_);
    writer_ = std::thread::id();
    changed_.notify_all();
  }
  --t_exclusiveDepth;
  ShowIdle();
}

void CTStoreLock::BeginBulkRead() {
  if (t_bulkDepth++ == 0) {
    if (CTBusyFeedback* feedback = OwnFeedback()) feedback->Busy();
  }
  LockShared();
}

void CTStoreLock::EndBulkRead() {
  UnlockShared();
  if (--t_bulkDepth == 0) {
    if (CTBusyFeedback* feedback = OwnFeedback()) feedback->Idle();
  }
}
