#include "mainwindow/show_sequence.h"

#include <gtest/gtest.h>

#include <vector>

#include "mainwindow/main_window_timers.h"
#include "mainwindow/picker_watch.h"

namespace corvan {
namespace {

struct TimedCall {
  uint32_t atMs;
  ShowStep step;
  bool operator==(const TimedCall&) const = default;
};

std::vector<TimedCall> RunToEnd(ShowSequence& sequence, uint32_t firstDelay) {
  std::vector<TimedCall> calls;
  uint32_t now = firstDelay;
  while (auto due = sequence.Advance()) {
    calls.push_back({now, due->step});
    if (!due->nextDelayMs) break;
    now += *due->nextDelayMs;
  }
  return calls;
}

TEST(ShowSequence, ShowsRaisesAndRepaintsOnTheListenersSchedule) {
  ShowSequence sequence;
  EXPECT_FALSE(sequence.Advance().has_value()) << "nothing before a wake-up";
  const std::vector<TimedCall> expected = {
      {100, ShowStep::Show}, {200, ShowStep::MakeForeground}, {300, ShowStep::BringToTop}, {600, ShowStep::Invalidate}};
  EXPECT_EQ(RunToEnd(sequence, sequence.Start()), expected);
  EXPECT_FALSE(sequence.running());
}

TEST(ShowSequence, AWakeUpDuringTheSequenceStartsItAgain) {
  ShowSequence sequence;
  sequence.Start();
  sequence.Advance();
  sequence.Advance();
  EXPECT_EQ(sequence.Start(), 100u);
  EXPECT_EQ(sequence.Advance()->step, ShowStep::Show);
}

// Timers of one window share a name space: two that shared an id would stop each other.
TEST(MainWindowTimers, EachTimerHasAnIdOfItsOwn) {
  const uint32_t ids[] = {kTimerRepaintWhenVisible, kTimerStartHidden,  kTimerForeground,
                          kTimerTrayMenu,           kTimerShowSequence, kTimerCloseBound};
  for (size_t i = 0; i < std::size(ids); ++i) {
    for (size_t j = i + 1; j < std::size(ids); ++j) EXPECT_NE(ids[i], ids[j]) << "timers " << i << " and " << j;
  }
}

TEST(PickerWatch, ClosesOnlyAFullyShownAssignmentPickerWhenAnotherWindowHasTheFocus) {
  struct Row { PickerWatchFacts facts; bool closes; };
  const Row rows[] = {
      {{true, true, 255, true, false}, true},
      {{true, true, 255, true, true}, false},    // the main window, magnifier or picker is in front
      {{true, true, 254, true, false}, false},   // still fading in
      {{true, true, 255, false, false}, false},  // opened to run a function
      {{true, false, 255, true, false}, false},
      {{false, true, 255, true, false}, false},
  };
  for (const Row& r : rows) EXPECT_EQ(PickerShouldClose(r.facts), r.closes);
}

}  // namespace
}  // namespace corvan
