// The waiter list as the wait thread shares it: the waiting thread brings its snapshot up to date
// and runs handlers in a loop, some of which remove themselves, while other threads add and
// remove waiters and set the timer. Built with the native-tsan preset, this is where a change to
// the list without its lock shows.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <set>
#include <thread>
#include <vector>

#include "core/waiter_list.h"

namespace corvan {
namespace {

using List = WaiterList<int>;

constexpr int kWriters = 3;
constexpr int kOneShotSource = kWriters;  // its waiters' handlers remove themselves
constexpr int kAddsPerSource = 2000;
constexpr int kTimers = 2000;

int HandleOf(int source, int n) { return source * 1'000'000 + n; }
int SourceOf(int handle) { return handle / 1'000'000; }
int NumberOf(int handle) { return handle % 1'000'000; }

struct Shared {
  explicit Shared(size_t capacity) : list(capacity) {}
  List list;
  // Each writer removes its waiters oldest first; none below this number is in the list any more.
  std::atomic<int> removedBelow[kWriters] = {};
  std::atomic<int> sourcesDone{0};
  std::atomic<int> changes{0};
  std::atomic<uint64_t> rounds{0};
  std::atomic<int> roundsMissed{0};

  // Left to themselves the others finish before the waiting thread has copied twice; each waits
  // for a round of it after every change, so changes and copies interleave. Bounded: a waiting
  // thread that stops going round fails the test instead of hanging it.
  void AwaitRound() {
    const uint64_t seen = rounds;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (rounds == seen) {
      if (std::chrono::steady_clock::now() > deadline) {
        ++roundsMissed;
        return;
      }
      std::this_thread::yield();
    }
  }
};

// What the waiting thread saw wrong, counted on that thread and read after it has ended.
struct Findings {
  int copies = 0;
  int versionNotAdvancing = 0;
  int overCapacity = 0;
  int removedButPresent = 0;
  int handlerOfAnotherHandle = 0;
  int timerPairTorn = 0;
  int timerWentBack = 0;
  int oneShotsRun = 0;
};

class WaitingSide {
 public:
  explicit WaitingSide(Shared& shared, size_t capacity) : shared_(shared), capacity_(capacity) {}

  // The handler a waiter gets: it names its handle, so a snapshot that paired a handle with
  // another's handler is caught.
  List::Handler HandlerFor(int handle) {
    if (SourceOf(handle) == kOneShotSource) {
      return [this, handle] {
        ran_ = handle;
        shared_.list.Remove(handle);
      };
    }
    return [this, handle] { ran_ = handle; };
  }
  List::Timeout TimeoutFor(uint32_t generation) { return [generation] { return generation; }; }
  List::Handler OnTimeoutFor(uint32_t generation) { return [this, generation] { timerRan_ = generation; }; }

  void Run() {
    List::Snapshot snapshot;
    for (;;) {
      // Read before the copy: whatever was done by then is in it.
      const bool lastRound = shared_.sourcesDone == kWriters + 2;
      int removedBelow[kWriters];
      for (int w = 0; w < kWriters; ++w) removedBelow[w] = shared_.removedBelow[w];

      const uint64_t before = snapshot.version;
      if (shared_.list.CopyIfChanged(snapshot)) {
        ++findings.copies;
        if (findings.copies > 1 && snapshot.version <= before) ++findings.versionNotAdvancing;
      }
      if (snapshot.waiters.size() > capacity_) ++findings.overCapacity;
      for (const List::Waiter& waiter : snapshot.waiters) {
        const int source = SourceOf(waiter.handle);
        const bool oneShot = source == kOneShotSource;
        if (oneShot ? oneShotsRemoved_.count(waiter.handle) > 0 : NumberOf(waiter.handle) < removedBelow[source]) {
          ++findings.removedButPresent;
        }
        waiter.handler();
        if (ran_ != waiter.handle) ++findings.handlerOfAnotherHandle;
        if (oneShot && oneShotsRemoved_.insert(waiter.handle).second) ++findings.oneShotsRun;
      }
      if (snapshot.timeout) {
        const uint32_t generation = snapshot.timeout();
        snapshot.onTimeout();
        if (timerRan_ != generation) ++findings.timerPairTorn;
        if (generation < lastGeneration_) ++findings.timerWentBack;
        lastGeneration_ = generation;
      }
      if (lastRound) return;
      ++shared_.rounds;
    }
  }

  Findings findings;

 private:
  Shared& shared_;
  const size_t capacity_;
  int ran_ = -1;
  uint32_t timerRan_ = 0;
  uint32_t lastGeneration_ = 0;
  std::set<int> oneShotsRemoved_;
};

TEST(WaiterListThreads, ASnapshotNeverHoldsARemovedWaiterNorMoreThanTheCapacity) {
  struct Row {
    const char* name;
    size_t capacity;
    int keptPerWriter;  // how many waiters a writer holds before it removes its oldest
  };
  const Row rows[] = {
      {"a list that is often full", 8, 3},
      {"a list as wide as one wait", 62, 12},
  };
  for (const Row& row : rows) {
    Shared shared(row.capacity);
    WaitingSide waiting(shared, row.capacity);
    std::thread waitingThread([&] { waiting.Run(); });

    std::vector<std::thread> sources;
    for (int w = 0; w < kWriters; ++w) {
      sources.emplace_back([&, w] {
        std::deque<int> held;
        auto removeOldest = [&] {
          shared.list.Remove(held.front());
          ++shared.changes;
          shared.removedBelow[w] = NumberOf(held.front()) + 1;
          held.pop_front();
        };
        for (int n = 0; n < kAddsPerSource; ++n) {
          const int handle = HandleOf(w, n);
          if (shared.list.Add(handle, waiting.HandlerFor(handle))) {
            ++shared.changes;
            held.push_back(handle);
          }
          if (static_cast<int>(held.size()) > row.keptPerWriter) removeOldest();
          shared.AwaitRound();
        }
        while (!held.empty()) removeOldest();
        ++shared.sourcesDone;
      });
    }
    std::atomic<int> oneShotsAdded{0};
    sources.emplace_back([&] {
      for (int n = 0; n < kAddsPerSource; ++n) {
        const int handle = HandleOf(kOneShotSource, n);
        if (shared.list.Add(handle, waiting.HandlerFor(handle))) {
          ++oneShotsAdded;
          ++shared.changes;
        }
        shared.AwaitRound();
      }
      ++shared.sourcesDone;
    });
    sources.emplace_back([&] {
      for (uint32_t generation = 1; generation <= kTimers; ++generation) {
        shared.list.SetTimer(waiting.TimeoutFor(generation), waiting.OnTimeoutFor(generation));
        ++shared.changes;
        shared.AwaitRound();
      }
      ++shared.sourcesDone;
    });
    for (std::thread& source : sources) source.join();
    waitingThread.join();

    const Findings& found = waiting.findings;
    EXPECT_EQ(shared.roundsMissed, 0) << row.name;
    EXPECT_EQ(found.removedButPresent, 0) << row.name;
    EXPECT_EQ(found.overCapacity, 0) << row.name;
    EXPECT_EQ(found.handlerOfAnotherHandle, 0) << row.name;
    EXPECT_EQ(found.timerPairTorn, 0) << row.name;
    EXPECT_EQ(found.timerWentBack, 0) << row.name;
    EXPECT_EQ(found.versionNotAdvancing, 0) << row.name;
    // Every change the others made, and every one-shot's removal of itself, can cause at most one
    // copy; the first copy is the fresh snapshot's own.
    EXPECT_LE(found.copies, shared.changes + found.oneShotsRun + 1) << row.name;
    EXPECT_EQ(found.oneShotsRun, oneShotsAdded) << row.name << ": each one-shot runs once";
    List::Snapshot last;
    shared.list.CopyIfChanged(last);
    EXPECT_TRUE(last.waiters.empty()) << row.name << ": every waiter was removed";
    ASSERT_TRUE(last.timeout) << row.name;
    EXPECT_EQ(last.timeout(), uint32_t{kTimers}) << row.name << ": the last timer set is the one kept";
  }
}

}  // namespace
}  // namespace corvan
