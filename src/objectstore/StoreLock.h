#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Feedback while the store is busy (the front end shows an hourglass cursor); the default does
// nothing.
class CTBusyFeedback {
 public:
  virtual ~CTBusyFeedback() = default;
  virtual void Busy() {}
  virtual void Idle() {}
};

// The store's one process-wide multiple-reader/single-writer lock. Reads (loads, queries) take it
// shared, writes (insert, post, delete, set reference) exclusive. Any number of threads may hold
// it shared at once; an exclusive hold excludes every other thread.
//
// Object operations nest on one thread: a write while this thread reads (an object reloads itself
// inside a query, a name check inside an insert), a read inside a write, or the same mode again.
// The lock therefore counts holds per thread, shared and exclusive apart, so that holds may be
// released in any order, and a nested acquisition touches only this thread's counts: a thread that
// holds it exclusively gets every nested acquisition at once; a thread that holds it shared gets
// further shared acquisitions at once, and an exclusive one as soon as every other thread's shared
// hold is gone. A thread that asks for a first shared hold waits while another thread writes or
// waits to write, so writers are not starved by a stream of readers. Two threads that both hold it
// shared and both ask for it exclusively would wait on each other forever; the second such upgrade
// throws std::logic_error instead.
class CTStoreLock {
 public:
  static CTStoreLock& Instance();

  void LockShared();
  void UnlockShared();
  void LockExclusive();
  void UnlockExclusive();

  // Bulk-read mode of the calling thread: the shared lock is taken once and the busy feedback
  // shown once for a long read-only pass; per-call feedback is suppressed until the mode is left.
  void BeginBulkRead();
  void EndBulkRead();

  // The feedback belongs to the thread that installs it (the user-interface thread): holds taken
  // by other threads never call it.
  void SetFeedback(CTBusyFeedback* feedback);

  // Whether a thread waits for an exclusive hold (a diagnostic: the answer may be out of date
  // as soon as it is given).
  bool WriterWaiting();

 private:
  CTStoreLock() = default;
  void ShowBusy();
  void ShowIdle();
  // The feedback when the calling thread is the one that installed it, else null.
  CTBusyFeedback* OwnFeedback() const;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread::id writer_;  // the thread holding it exclusively, if any
  int readers_ = 0;         // threads holding it shared (the writer too, when it also reads)
  bool upgrading_ = false;  // a reader waits to become the writer
  int writersWaiting_ = 0;
  // Read by every acquisition without the mutex.
  std::atomic<CTBusyFeedback*> feedback_{nullptr};
  std::atomic<std::thread::id> feedbackThread_{};
};

// Scoped holds of the store lock.
class CTSharedStoreLock {
 public:
  CTSharedStoreLock() { CTStoreLock::Instance().LockShared(); }
  ~CTSharedStoreLock() { CTStoreLock::Instance().UnlockShared(); }
  CTSharedStoreLock(const CTSharedStoreLock&) = delete;
  CTSharedStoreLock& operator=(const CTSharedStoreLock&) = delete;
};

class CTExclusiveStoreLock {
 public:
  CTExclusiveStoreLock() { CTStoreLock::Instance().LockExclusive(); }
  ~CTExclusiveStoreLock() { CTStoreLock::Instance().UnlockExclusive(); }
  CTExclusiveStoreLock(const CTExclusiveStoreLock&) = delete;
  CTExclusiveStoreLock& operator=(const CTExclusiveStoreLock&) = delete;
};

class CTBulkRead {
 public:
  CTBulkRead() { CTStoreLock::Instance().BeginBulkRead(); }
  ~CTBulkRead() { CTStoreLock::Instance().EndBulkRead(); }
  CTBulkRead(const CTBulkRead&) = delete;
  CTBulkRead& operator=(const CTBulkRead&) = delete;
};
