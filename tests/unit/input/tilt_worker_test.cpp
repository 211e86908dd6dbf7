#include "input/tilt_worker.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvan {
namespace {

// Each wake-up first adds its steps to the accumulator, as the hook and the reports do between
// two wake-ups; the script's end is a failed wait.
class ScriptedWaiter final : public TiltWaiter {
 public:
  struct Wake {
    std::vector<int32_t> added;
    bool shutDownFirst = false;
  };
  ScriptedWaiter(std::vector<Wake> wakes, std::atomic<int32_t>& accumulator, std::atomic<int32_t>& shuttingDown)
      : wakes_(std::move(wakes)), accumulator_(accumulator), shuttingDown_(shuttingDown) {}

  bool WaitForTilt() override {
    if (next_ == wakes_.size()) return false;
    const Wake& wake = wakes_[next_++];
    for (int32_t steps : wake.added) accumulator_ += steps;
    if (wake.shutDownFirst) shuttingDown_ = 1;
    return true;
  }
  size_t wakesUsed() const { return next_; }

 private:
  std::vector<Wake> wakes_;
  size_t next_ = 0;
  std::atomic<int32_t>& accumulator_;
  std::atomic<int32_t>& shuttingDown_;
};

struct Row {
  const char* name;
  std::vector<ScriptedWaiter::Wake> wakes;
  std::vector<int32_t> steps;
};

TEST(TiltWorker, OneStepPerWakeUpInTheDirectionOfTheSum) {
  const Row rows[] = {
      {"three to the right before the worker wakes", {{{1, 1, 1}}}, {1}},
      {"right then left cancel out", {{{1, -1}}}, {}},
      {"a left step", {{{-1}}}, {-1}},
      {"thousands queued behind a slow window, then a bare pulse", {{{5000}}, {{}}}, {1}},
      {"a pulse with nothing accumulated", {{{}}, {{-2}}}, {-1}},
      {"each wake-up its own step", {{{1}}, {{-3}}, {{2, 2}}}, {1, -1, 1}},
      {"steps that arrive with the shutdown are not acted on", {{{1}}, {{1}, true}, {{1}}}, {1}},
  };
  for (const Row& row : rows) {
    std::atomic<int32_t> accumulator{0};
    std::atomic<int32_t> shuttingDown{0};
    ScriptedWaiter waiter(row.wakes, accumulator, shuttingDown);
    std::vector<int32_t> steps;
    RunTiltWorker(waiter, accumulator, shuttingDown, [&](int32_t d) { steps.push_back(d); });
    EXPECT_EQ(steps, row.steps) << row.name;
  }
}

TEST(TiltWorker, EndsAtOnceWhenAlreadyShuttingDown) {
  std::atomic<int32_t> accumulator{4};
  std::atomic<int32_t> shuttingDown{2};
  ScriptedWaiter waiter({{{1}}}, accumulator, shuttingDown);
  int steps = 0;
  RunTiltWorker(waiter, accumulator, shuttingDown, [&](int32_t) { ++steps; });
  EXPECT_EQ(steps, 0);
  EXPECT_EQ(waiter.wakesUsed(), 0u);
}

}  // namespace
}  // namespace corvan
