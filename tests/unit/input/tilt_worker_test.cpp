#include "input/tilt_worker.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvan {
namespace {

// Each wake-up first adds its steps to the accumulator, as the hook and the reports do between
// two wake-ups.
struct Wake {
  std::vector<int32_t> added;
  bool shutDownFirst = false;
};

struct Row {
  const char* name;
  std::vector<Wake> wakes;
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
    std::vector<int32_t> steps;
    for (const Wake& wake : row.wakes) {
      for (int32_t added : wake.added) accumulator += added;
      if (wake.shutDownFirst) shuttingDown = 1;
      OnTiltWake(accumulator, shuttingDown, [&](int32_t d) { steps.push_back(d); });
    }
    EXPECT_EQ(steps, row.steps) << row.name;
  }
}

TEST(TiltWorker, NothingOnceShuttingDown) {
  std::atomic<int32_t> accumulator{4};
  std::atomic<int32_t> shuttingDown{2};
  int steps = 0;
  OnTiltWake(accumulator, shuttingDown, [&](int32_t) { ++steps; });
  EXPECT_EQ(steps, 0);
}

}  // namespace
}  // namespace corvan
