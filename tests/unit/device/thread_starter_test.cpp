#include "device/thread_starter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace corvan {
namespace {

// Receiver workers are often over in microseconds (no receiver present, a receiver that
// refuses at once), so the starter sees many threads that have finished before it is done
// with them. Every job must run once, and no thread may be handed another's job.
TEST(JoiningThreadStarterTest, ManyJobsThatEndAtOnceEachRunOnce) {
  constexpr int kJobs = 3000;
  std::atomic<int> ran{0};
  {
    JoiningThreadStarter threads;
    for (int n = 0; n < kJobs; ++n) threads.Start([&ran] { ran.fetch_add(1); });
  }
  EXPECT_EQ(ran.load(), kJobs);
}

// A program that runs for weeks starts thousands of workers: the finished ones must not pile
// up, and the destructor waits for the ones still running.
TEST(JoiningThreadStarterTest, JoinsFinishedThreadsAtTheNextStartAndTheRestWhenDestroyed) {
  std::mutex mutex;
  std::condition_variable released;
  bool release = false;
  std::atomic<int> ran{0};
  auto blocked = [&] {
    std::unique_lock lock(mutex);
    released.wait(lock, [&] { return release; });
    ran.fetch_add(1);
  };
  {
    JoiningThreadStarter threads;
    for (int n = 0; n < 3; ++n) threads.Start(blocked);
    threads.Start([] {});
    EXPECT_GE(threads.UnjoinedThreads(), 3u);

    for (int n = 0; n < 100000 && threads.UnjoinedThreads() > 4; ++n) threads.Start([] {});
    EXPECT_LE(threads.UnjoinedThreads(), 4u) << "finished threads were not joined";
    EXPECT_EQ(ran.load(), 0);

    threads.Start(blocked);
    {
      std::lock_guard lock(mutex);
      release = true;
    }
    released.notify_all();
  }
  EXPECT_EQ(ran.load(), 4);
}

}  // namespace
}  // namespace corvan
