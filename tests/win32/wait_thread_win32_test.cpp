#include "platform/wait_thread_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace corvan {
namespace {

constexpr DWORD kBoundMs = 5000;

// Polls until the condition holds or the bound runs out.
template <typename Condition>
bool WaitUntil(Condition condition) {
  const ULONGLONG deadline = GetTickCount64() + kBoundMs;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(5);
  }
  return true;
}

struct Event {
  explicit Event(bool manualReset = false) : handle(CreateEventW(nullptr, manualReset, FALSE, nullptr)) {}
  ~Event() { CloseHandle(handle); }
  HANDLE handle;
};

TEST(WaitThread, RunsTheHandlerOfEachSignalledHandle) {
  Event first, second;
  auto firstRuns = std::make_shared<std::atomic<int>>(0);
  auto secondRuns = std::make_shared<std::atomic<int>>(0);
  WaitThread waiter;
  ASSERT_TRUE(waiter.Add(first.handle, [firstRuns] { ++*firstRuns; }));
  ASSERT_TRUE(waiter.Add(second.handle, [secondRuns] { ++*secondRuns; }));
  SetEvent(second.handle);
  ASSERT_TRUE(WaitUntil([&] { return *secondRuns == 1; }));
  SetEvent(first.handle);
  ASSERT_TRUE(WaitUntil([&] { return *firstRuns == 1; }));
  SetEvent(first.handle);
  ASSERT_TRUE(WaitUntil([&] { return *firstRuns == 2; }));
  EXPECT_EQ(*secondRuns, 1);
  EXPECT_TRUE(waiter.Stop(kBoundMs));
}

TEST(WaitThread, APulseReachesAWaitingHandler) {
  Event pulsed(true);
  auto runs = std::make_shared<std::atomic<int>>(0);
  WaitThread waiter;
  ASSERT_TRUE(waiter.Add(pulsed.handle, [runs] { ++*runs; }));
  // A pulse releases only a thread that waits at that moment: pulse until one is seen.
  EXPECT_TRUE(WaitUntil([&] {
    PulseEvent(pulsed.handle);
    return *runs > 0;
  }));
  EXPECT_TRUE(waiter.Stop(kBoundMs));
}

TEST(WaitThread, AHandleThatCannotBeWaitedOnIsDroppedAndTheOthersStillRun) {
  const wchar_t* name = L"corvan_wait_thread_test_event";
  HANDLE owned = CreateEventW(nullptr, FALSE, FALSE, name);
  ASSERT_NE(owned, nullptr);
  // Opened with the right to signal only, as a later copy opens the program's events.
  HANDLE signalOnly = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
  ASSERT_NE(signalOnly, nullptr);
  Event good;
  auto badRuns = std::make_shared<std::atomic<int>>(0);
  auto goodRuns = std::make_shared<std::atomic<int>>(0);
  WaitThread waiter;
  ASSERT_TRUE(waiter.Add(signalOnly, [badRuns] { ++*badRuns; }));
  ASSERT_TRUE(waiter.Add(good.handle, [goodRuns] { ++*goodRuns; }));
  SetEvent(good.handle);
  ASSERT_TRUE(WaitUntil([&] { return *goodRuns == 1; }));
  SetEvent(good.handle);
  ASSERT_TRUE(WaitUntil([&] { return *goodRuns == 2; }));
  EXPECT_EQ(*badRuns, 0);
  EXPECT_TRUE(waiter.Stop(kBoundMs));
  CloseHandle(signalOnly);
  CloseHandle(owned);
}

TEST(WaitThread, TheTimerRunsWhenItsTimeoutIsDueAndSleepsOtherwise) {
  Event wake;
  auto due = std::make_shared<std::atomic<int>>(3);
  auto ticks = std::make_shared<std::atomic<int>>(0);
  WaitThread waiter;
  waiter.SetTimer([due] { return *due > 0 ? DWORD{1} : INFINITE; },
                  [due, ticks] {
                    --*due;
                    ++*ticks;
                  });
  ASSERT_TRUE(waiter.Add(wake.handle, [] {}));
  ASSERT_TRUE(WaitUntil([&] { return *ticks == 3; }));
  // Nothing due: no more ticks until something makes a timeout due again.
  SetEvent(wake.handle);
  Sleep(50);
  EXPECT_EQ(*ticks, 3);
  *due = 1;
  waiter.Wake();
  ASSERT_TRUE(WaitUntil([&] { return *ticks == 4; }));
  EXPECT_TRUE(waiter.Stop(kBoundMs));
}

TEST(WaitThread, RemovedHandlersNoLongerRunAndStopEndsTheThread) {
  Event removed, kept;
  auto removedRuns = std::make_shared<std::atomic<int>>(0);
  auto keptRuns = std::make_shared<std::atomic<int>>(0);
  EXPECT_TRUE(WaitThread().Stop(0)) << "never started";
  WaitThread waiter;
  ASSERT_TRUE(waiter.Add(removed.handle, [removedRuns] { ++*removedRuns; }));
  ASSERT_TRUE(waiter.Add(kept.handle, [keptRuns] { ++*keptRuns; }));
  waiter.Remove(removed.handle);
  SetEvent(removed.handle);
  SetEvent(kept.handle);
  ASSERT_TRUE(WaitUntil([&] { return *keptRuns == 1; }));
  EXPECT_EQ(*removedRuns, 0);
  EXPECT_FALSE(waiter.Add(nullptr, [] {}));
  EXPECT_TRUE(waiter.Stop(kBoundMs));
}

}  // namespace
}  // namespace corvan
