#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "objectstore/StoreLock.h"
#include "support/TestSupport.h"

// Every wait below is bounded and serves only to detect a deadlock (a case stuck on the lock
// fails and ends the executable); nothing is timed.
namespace {

constexpr auto kMeetingWait = std::chrono::seconds(10);
constexpr auto kDeadlockWait = std::chrono::seconds(30);

void RunBounded(const char* what, std::function<void()> body) {
  testsupport::RunWithDeadline(what, kDeadlockWait, std::move(body));
}

// A meeting point of a number of threads: each arrives and waits for the others, at most
// kMeetingWait. Arrive tells whether all of them came.
class Rendezvous {
 public:
  explicit Rendezvous(int count) : count_(count) {}
  bool Arrive() {
    std::unique_lock lock(mutex_);
    ++arrived_;
    met_.notify_all();
    return met_.wait_for(lock, kMeetingWait, [&] { return arrived_ >= count_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable met_;
  int count_;
  int arrived_ = 0;
};

// Waits until a thread waits for the exclusive hold; false when none does within kMeetingWait.
bool AWriterWaits() {
  const auto deadline = std::chrono::steady_clock::now() + kMeetingWait;
  while (!CTStoreLock::Instance().WriterWaiting()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

}  // namespace

TEST(StoreLock, ReadersHoldItAtTheSameTime) {
  // Both readers must be inside their shared holds at once to meet; a lock that let only one
  // reader in at a time would keep them apart until the meeting gives up.
  Rendezvous inside(2);
  std::atomic<int> met{0};
  RunBounded("two readers", [&] {
    auto reader = [&] {
      CTSharedStoreLock read;
      if (inside.Arrive()) ++met;
    };
    std::thread a(reader), b(reader);
    a.join();
    b.join();
  });
  EXPECT_EQ(met.load(), 2);
}

TEST(StoreLock, AWriterExcludesReadersAndWriters) {
  std::atomic<int> readers{0};
  std::atomic<int> writers{0};
  std::atomic<bool> overlap{false};
  RunBounded("readers and writers", [&] {
    auto reader = [&] {
      for (int i = 0; i < 200; ++i) {
        CTSharedStoreLock read;
        ++readers;
        if (writers.load() != 0) overlap = true;
        std::this_thread::yield();
        --readers;
      }
    };
    auto writer = [&] {
      for (int i = 0; i < 100; ++i) {
        CTExclusiveStoreLock write;
        if (++writers != 1 || readers.load() != 0) overlap = true;
        std::this_thread::yield();
        --writers;
      }
    };
    std::thread a(reader), b(reader), w1(writer), w2(writer);
    a.join();
    b.join();
    w1.join();
    w2.join();
  });
  EXPECT_FALSE(overlap.load());
}

TEST(StoreLock, HoldsNestOnOneThreadAndMayBeReleasedInAnyOrder) {
  CTStoreLock& lock = CTStoreLock::Instance();
  RunBounded("nested holds", [&] {
    lock.LockShared();
    lock.LockShared();
    lock.LockExclusive();  // a write inside this thread's read
    lock.LockShared();     // a read inside the write
    lock.LockExclusive();
    lock.UnlockShared();
    lock.UnlockExclusive();
    lock.UnlockExclusive();
    lock.UnlockShared();
    lock.UnlockShared();
    // A write, then a read inside it that outlives it.
    lock.LockExclusive();
    lock.LockShared();
    lock.UnlockExclusive();
    lock.UnlockShared();
    // Free again: another thread can write.
    std::thread other([] { CTExclusiveStoreLock write; });
    other.join();
  });
  EXPECT_THROW(lock.UnlockShared(), std::logic_error);
  EXPECT_THROW(lock.UnlockExclusive(), std::logic_error);
}

TEST(StoreLock, NestedHoldsOfAReaderDoNotWaitForAWaitingWriter) {
  // A reader's further reads and its upgrade go ahead while another thread waits to write; if
  // they queued behind the writer, who waits for the reader, neither would ever move.
  std::atomic<bool> wrote{false};
  std::atomic<bool> writerWaited{false};
  RunBounded("a reader with a writer waiting", [&] {
    CTStoreLock& lock = CTStoreLock::Instance();
    lock.LockShared();
    std::thread writer([&] {
      CTExclusiveStoreLock write;
      wrote = true;
    });
    writerWaited = AWriterWaits();
    {
      CTSharedStoreLock nested;
      CTExclusiveStoreLock upgrade;
      EXPECT_FALSE(wrote.load());
    }
    lock.UnlockShared();
    writer.join();
  });
  EXPECT_TRUE(writerWaited.load());
  EXPECT_TRUE(wrote.load());
}

TEST(StoreLock, ASecondUpgradeAtTheSameTimeThrows) {
  // Two readers that both ask to write would wait for each other; the second one is refused,
  // and once it has given up its read the first one writes.
  Rendezvous reading(2);
  std::atomic<int> refused{0};
  std::atomic<int> wrote{0};
  std::atomic<int> met{0};
  RunBounded("two upgrades", [&] {
    auto reader = [&] {
      CTSharedStoreLock read;
      if (reading.Arrive()) ++met;
      try {
        CTExclusiveStoreLock write;
        ++wrote;
      } catch (const std::logic_error&) {
        ++refused;
      }
    };
    std::thread a(reader), b(reader);
    a.join();
    b.join();
  });
  EXPECT_EQ(met.load(), 2);
  EXPECT_EQ(refused.load(), 1);
  EXPECT_EQ(wrote.load(), 1);
}

TEST(StoreLock, FeedbackIsShownOnceInBulkModeAndOnlyOnItsOwnThread) {
  struct Counter : CTBusyFeedback {
    std::atomic<int> busy{0}, idle{0};
    void Busy() override { ++busy; }
    void Idle() override { ++idle; }
  } counter;
  CTStoreLock& lock = CTStoreLock::Instance();
  lock.SetFeedback(&counter);
  {
    CTBulkRead bulk;
    for (int i = 0; i < 5; ++i) CTSharedStoreLock read;
  }
  EXPECT_EQ(counter.busy.load(), 1);
  EXPECT_EQ(counter.idle.load(), 1);
  { CTExclusiveStoreLock write; }
  EXPECT_EQ(counter.busy.load(), 2);
  EXPECT_EQ(counter.idle.load(), 2);
  // A worker's holds leave the user-interface thread's cursor alone.
  RunBounded("a worker's reads", [] {
    CTSharedStoreLock read;
    CTBulkRead bulk;
    CTExclusiveStoreLock write;
  });
  lock.SetFeedback(nullptr);
  EXPECT_EQ(counter.busy.load(), 2);
  EXPECT_EQ(counter.idle.load(), 2);
}
