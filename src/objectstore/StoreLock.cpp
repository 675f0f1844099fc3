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
  std::lock_guard lock(mutex_);
  feedback_ = feedback;
  feedbackThread_ = std::this_thread::get_id();
}

bool CTStoreLock::WriterWaiting() {
  std::lock_guard lock(mutex_);
  return writersWaiting_ > 0;
}

bool CTStoreLock::OnFeedbackThread() const {
  return feedback_ && feedbackThread_ == std::this_thread::get_id();
}

void CTStoreLock::ShowBusy() {
  if (t_bulkDepth == 0 && OnFeedbackThread()) feedback_->Busy();
}

void CTStoreLock::ShowIdle() {
  if (t_bulkDepth == 0 && OnFeedbackThread()) feedback_->Idle();
}

void CTStoreLock::LockShared() {
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  if (t_sharedDepth == 0) {
    // A first read gives way to another thread's write, current or waiting; a read inside this
    // thread's own write, and every nested read, goes ahead at once.
    if (writer_ != me) {
      changed_.wait(lock, [&] { return writer_ == std::thread::id() && writersWaiting_ == 0; });
    }
    ++readers_;
  }
  ++t_sharedDepth;
  ShowBusy();
}

void CTStoreLock::UnlockShared() {
  std::unique_lock lock(mutex_);
  if (t_sharedDepth == 0) throw std::logic_error("the store lock is not held shared");
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
    ++t_exclusiveDepth;
    ShowBusy();
    return;
  }
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
  writer_ = me;
  t_exclusiveDepth = 1;
  ShowBusy();
}

void CTStoreLock::UnlockExclusive() {
  std::unique_lock lock(mutex_);
  if (writer_ != std::this_thread::get_id() || t_exclusiveDepth == 0)
    throw std::logic_error("the store lock is not held exclusively");
  if (--t_exclusiveDepth == 0) {
    writer_ = std::thread::id();
    changed_.notify_all();
  }
  ShowIdle();
}

void CTStoreLock::BeginBulkRead() {
  {
    std::unique_lock lock(mutex_);
    if (t_bulkDepth++ == 0 && OnFeedbackThread()) feedback_->Busy();
  }
  LockShared();
}

void CTStoreLock::EndBulkRead() {
  UnlockShared();
  std::unique_lock lock(mutex_);
  if (--t_bulkDepth == 0 && OnFeedbackThread()) feedback_->Idle();
}
