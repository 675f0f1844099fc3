#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "objectstore/StoreLock.h"

TEST(StoreLock, NestsOnOneThread) {
  CTStoreLock& lock = CTStoreLock::Instance();
  lock.LockShared();
  lock.LockShared();
  lock.LockExclusive();  // a write inside this thread's read
  lock.LockShared();     // a read inside the write
  lock.UnlockShared();
  lock.UnlockExclusive();
  lock.UnlockShared();
  lock.UnlockShared();
  // Free again: another thread can write.
  std::thread other([] { CTExclusiveStoreLock write; });
  other.join();
}

TEST(StoreLock, ReadersShareAndWritersExclude) {
  std::atomic<int> inside{0};
  std::atomic<int> maxInside{0};
  std::atomic<bool> overlapWithWriter{false};
  std::atomic<int> writers{0};
  auto reader = [&] {
    for (int i = 0; i < 200; ++i) {
      CTSharedStoreLock read;
      const int now = ++inside;
      if (writers.load() != 0) overlapWithWriter = true;
      int seen = maxInside.load();
      while (now > seen && !maxInside.compare_exchange_weak(seen, now)) {
      }
      std::this_thread::yield();
      --inside;
    }
  };
  auto writer = [&] {
    for (int i = 0; i < 100; ++i) {
      CTExclusiveStoreLock write;
      ++writers;
      if (inside.load() != 0) overlapWithWriter = true;
      std::this_thread::yield();
      --writers;
    }
  };
  std::thread a(reader), b(reader), w(writer);
  a.join();
  b.join();
  w.join();
  EXPECT_FALSE(overlapWithWriter.load());
}

TEST(StoreLock, BulkReadShowsFeedbackOnce) {
  struct Counter : CTBusyFeedback {
    int busy = 0, idle = 0;
    void Busy() override { ++busy; }
    void Idle() override { ++idle; }
  } counter;
  CTStoreLock& lock = CTStoreLock::Instance();
  lock.SetFeedback(&counter);
  {
    CTBulkRead bulk;
    for (int i = 0; i < 5; ++i) CTSharedStoreLock read;
  }
  lock.SetFeedback(nullptr);
  EXPECT_EQ(counter.busy, 1);
  EXPECT_EQ(counter.idle, 1);
}
