// A list's scrolling as the running picker shares it: the wheel moves the target row on the
// window's thread and wakes the animation thread, which steps the first row and the slide offset
// towards it until they rest.
#include <gtest/gtest.h>

#include <thread>

#include "core/window_messages.h"
#include "ui/picker.h"
#include "wake_signal.h"

namespace corvan {
namespace {

constexpr int32_t kRows = 20;
constexpr int32_t kRowsOnScreen = 5;
constexpr int32_t kClientHeight = kPickerInset + kRowsOnScreen * kPickerRowHeight;
// A step runs only while the list is not at rest; far more than any wheel here can ask for.
constexpr int kStepBound = 100000;

TEST(PickerScrollThreads, TheListComesToRestOnTheRowTheWheelLeftItAt) {
  struct Row {
    const char* name;
    int downs;  // then as many turns up
    int ups;
    int32_t expected;
  };
  const Row rows[] = {
      {"three down", 3, 0, 3},
      {"down past the end", 40, 0, kRows - kRowsOnScreen},
      {"down then part way up", 10, 4, 6},
      {"up past the top", 5, 9, 0},
  };
  const PickerRows list(kRows);
  for (const Row& row : rows) {
    PickerScroll scroll;
    WakeSignal wake;
    bool stepsBounded = true;
    bool servedWithinBound = false;
    std::thread animation([&] {
      servedWithinBound = wake.Serve([&] {
        for (int steps = 0; !scroll.AtRest(); ++steps) {
          if (steps == kStepBound) {
            stepsBounded = false;
            return;
          }
          scroll.Step(list);
        }
      });
    });
    std::thread window([&] {
      for (int i = 0; i < row.downs; ++i) {
        if (scroll.OnWheel(-kWheelNotch, list, kClientHeight)) wake.Pulse();
      }
      for (int i = 0; i < row.ups; ++i) {
        if (scroll.OnWheel(kWheelNotch, list, kClientHeight)) wake.Pulse();
      }
    });
    window.join();
    wake.Stop();
    animation.join();

    EXPECT_TRUE(servedWithinBound) << row.name;
    EXPECT_TRUE(stepsBounded) << row.name << ": the steps never came to rest";
    EXPECT_TRUE(scroll.AtRest()) << row.name;
    EXPECT_EQ(scroll.targetRow(), row.expected) << row.name;
    EXPECT_EQ(scroll.firstRow(), row.expected) << row.name;
  }
}

}  // namespace
}  // namespace corvan
