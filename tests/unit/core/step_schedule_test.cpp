#include "core/step_schedule.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

using Clock = StepSchedule::Clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

Clock::time_point At(microseconds since) { return Clock::time_point(since); }
Clock::time_point AtMs(int64_t ms) { return At(milliseconds(ms)); }

TEST(StepSchedule, StepsKeepTheirPlacesUntilTheScheduleFallsBehind) {
  enum class Event { Begin, Continue, Stepped };
  struct Row {
    Event event;
    int64_t atMs;
    int64_t dueMs;
    const char* what;
  };
  const Row rows[] = {
      {Event::Begin,    100, 100, "a motion begins with a step at once"},
      {Event::Stepped,  101, 110, "on time: one period after the last was due"},
      {Event::Stepped,  113, 120, "a little late: the next keeps its place"},
      {Event::Stepped,  135, 130, "most of a period late: the next is due at once"},
      {Event::Stepped,  136, 140, "and the one after is back in place"},
      {Event::Stepped,  165, 175, "further behind: a period from now, no burst"},
      {Event::Stepped,  175, 185, "and on from there"},
      {Event::Continue, 200, 210, "a motion under way steps one period on"},
      {Event::Stepped,  210, 220, "on time"},
  };
  StepSchedule schedule(milliseconds(10));
  for (const Row& r : rows) {
    switch (r.event) {
      case Event::Begin: schedule.BeginAt(AtMs(r.atMs)); break;
      case Event::Continue: schedule.ContinueFrom(AtMs(r.atMs)); break;
      case Event::Stepped: schedule.Stepped(AtMs(r.atMs)); break;
    }
    EXPECT_EQ(schedule.due(), AtMs(r.dueMs)) << "at " << r.atMs << ": " << r.what;
  }
}

TEST(StepSchedule, WaitsInWholeMillisecondsNeverEndingEarly) {
  struct Row {
    microseconds now;
    uint32_t waitMs;
  };
  const Row rows[] = {
      {microseconds(100000), 10},
      {microseconds(109001), 1},
      {microseconds(109999), 1},
      {microseconds(110000), 0},
      {microseconds(125000), 0},
  };
  StepSchedule schedule(milliseconds(10));
  schedule.ContinueFrom(AtMs(100));
  for (const Row& r : rows) EXPECT_EQ(schedule.MsUntilDue(At(r.now)), r.waitMs) << r.now.count() << " us";
}

}  // namespace
}  // namespace corvan
