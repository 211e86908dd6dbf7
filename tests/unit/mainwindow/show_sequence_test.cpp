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

TEST(MainWindowTimers, Table) {
  struct Row { uint32_t id; uint32_t periodMs; };
  const Row rows[] = {
      {kTimerRepaintWhenVisible, kRepaintWhenVisiblePeriodMs}, {kTimerGestureAnimation, kGestureAnimationPeriodMs},
      {kTimerPickerWatch, kPickerWatchPeriodMs},               {kTimerStartHidden, kStartHiddenPeriodMs},
      {kTimerForeground, kForegroundAfterHideMs},              {kTimerTrayMenu, kTrayMenuAfterLeftClickMs},
  };
  const Row expected[] = {{1, 2}, {2, 30}, {3, 100}, {11, 100}, {111, 800}, {202, 500}};
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].id, expected[i].id);
    EXPECT_EQ(rows[i].periodMs, expected[i].periodMs) << "timer " << rows[i].id;
  }
  EXPECT_EQ(kForegroundAfterActionMs, 300u);
  EXPECT_EQ(kTrayMenuAfterRightClickMs, 10u);
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
