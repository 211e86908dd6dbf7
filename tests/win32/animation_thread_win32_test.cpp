#include "platform/animation_thread_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

namespace corvan {
namespace {

using Clock = std::chrono::steady_clock;
using Next = AnimationThread::Next;
using std::chrono::milliseconds;

constexpr DWORD kBoundMs = 5000;
// Long enough for a thread that polled to be seen calling.
constexpr DWORD kQuietMs = 300;
// Waits end on whole milliseconds of the system's clock, which need not agree with ours.
constexpr milliseconds kClockSlack{2};

// The calls of a step function: when each came and at what priority.
class Calls {
 public:
  Calls() : made_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Calls() { CloseHandle(made_); }

  // Answers `script` call by call, then `after`.
  static AnimationThread::StepFunction Scripted(std::shared_ptr<Calls> calls, std::vector<Next> script, Next after) {
    return [calls, script, after] {
      const size_t index = calls->Record();
      return index < script.size() ? script[index] : after;
    };
  }

  // Whether there have been `count` calls within the bound.
  bool Reach(size_t count, DWORD boundMs) {
    const auto deadline = Clock::now() + milliseconds(boundMs);
    for (;;) {
      if (this->count() >= count) return true;
      const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return this->count() >= count;
      WaitForSingleObject(made_, static_cast<DWORD>(left));
    }
  }
  size_t count() {
    std::lock_guard lock(mutex_);
    return times_.size();
  }
  Clock::time_point time(size_t index) {
    std::lock_guard lock(mutex_);
    return times_.at(index);
  }
  int priority(size_t index) {
    std::lock_guard lock(mutex_);
    return priorities_.at(index);
  }

 private:
  size_t Record() {
    std::lock_guard lock(mutex_);
    times_.push_back(Clock::now());
    priorities_.push_back(GetThreadPriority(GetCurrentThread()));
    SetEvent(made_);
    return times_.size() - 1;
  }

  HANDLE made_;
  std::mutex mutex_;
  std::vector<Clock::time_point> times_;
  std::vector<int> priorities_;
};

bool EndsWithin(const AnimationThread& thread, DWORD boundMs) {
  const auto deadline = Clock::now() + milliseconds(boundMs);
  while (thread.running()) {
    if (Clock::now() > deadline) return false;
    SwitchToThread();
  }
  return true;
}

TEST(AnimationThread, RestsWithoutACallUntilWokenAndThenStepsAtOnce) {
  auto calls = std::make_shared<Calls>();
  AnimationThread thread;
  ASSERT_TRUE(thread.Start({.stepMs = 1000}, Calls::Scripted(calls, {}, Next::Rest)));
  EXPECT_FALSE(calls->Reach(1, kQuietMs)) << "started at rest";

  const Clock::time_point woken = Clock::now();
  thread.Wake();
  ASSERT_TRUE(calls->Reach(1, kBoundMs));
  EXPECT_LT(calls->time(0) - woken, milliseconds(500)) << "at once, not a period later";
  EXPECT_FALSE(calls->Reach(2, kQuietMs)) << "at rest again";

  thread.Wake();
  EXPECT_TRUE(calls->Reach(2, kBoundMs));
  EXPECT_TRUE(thread.Stop(kBoundMs));
  EXPECT_FALSE(thread.running());
}

TEST(AnimationThread, StepsAPeriodApartWhileSomethingMovesEvenWhenWokenMeanwhile) {
  constexpr milliseconds kPeriod{40};
  auto calls = std::make_shared<Calls>();
  AnimationThread thread;
  ASSERT_TRUE(thread.Start({.stepMs = kPeriod.count()},
                           Calls::Scripted(calls, {Next::Step, Next::Step, Next::Step, Next::Step}, Next::Rest)));
  thread.Wake();
  ASSERT_TRUE(calls->Reach(2, kBoundMs));
  thread.Wake();
  ASSERT_TRUE(calls->Reach(5, kBoundMs));
  for (size_t i = 0; i + 1 < 5; ++i) {
    EXPECT_GE(calls->time(i + 1) - calls->time(i), kPeriod - kClockSlack) << "between steps " << i << " and " << i + 1;
  }
  EXPECT_FALSE(calls->Reach(6, kQuietMs)) << "at rest once nothing moves";
  EXPECT_TRUE(thread.Stop(kBoundMs));
}

TEST(AnimationThread, SteppingFromTheStartItStepsAPeriodAfterItAndMayEndByItself) {
  constexpr milliseconds kPeriod{100};
  auto calls = std::make_shared<Calls>();
  AnimationThread thread;
  const AnimationThread::Options options{.stepMs = kPeriod.count(), .stepsFromStart = true};
  const Clock::time_point started = Clock::now();
  ASSERT_TRUE(thread.Start(options, Calls::Scripted(calls, {Next::Step}, Next::End)));
  ASSERT_TRUE(calls->Reach(2, kBoundMs));
  EXPECT_GE(calls->time(0) - started, kPeriod - kClockSlack);
  EXPECT_TRUE(EndsWithin(thread, kBoundMs)) << "ended by itself";

  ASSERT_TRUE(thread.Start(options, Calls::Scripted(calls, {}, Next::End))) << "and starts again";
  EXPECT_TRUE(calls->Reach(3, kBoundMs));
  EXPECT_TRUE(EndsWithin(thread, kBoundMs));
  EXPECT_TRUE(thread.Stop(kBoundMs));
}

TEST(AnimationThread, StopEndsTheThreadWhetherItRestsStepsOrNeverRan) {
  struct Row {
    const char* state;
    bool start;
    bool stepsFromStart;
    Next answer;
  };
  const Row rows[] = {
      {"resting",    true,  false, Next::Rest},
      {"stepping",   true,  true,  Next::Step},
      {"never run",  false, false, Next::Rest},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.state);
    auto calls = std::make_shared<Calls>();
    AnimationThread thread;
    if (r.start) {
      ASSERT_TRUE(thread.Start({.stepMs = 5, .stepsFromStart = r.stepsFromStart},
                               Calls::Scripted(calls, {}, r.answer)));
    }
    if (r.stepsFromStart) {
      ASSERT_TRUE(calls->Reach(2, kBoundMs));
    }
    EXPECT_TRUE(thread.Stop(kBoundMs));
    EXPECT_FALSE(thread.running());
    EXPECT_FALSE(thread.started());
  }
}

TEST(AnimationThread, StepsAtThePriorityAsked) {
  for (int priority : {THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_BELOW_NORMAL}) {
    auto calls = std::make_shared<Calls>();
    AnimationThread thread;
    ASSERT_TRUE(thread.Start({.stepMs = 5, .priority = priority, .stepsFromStart = true},
                             Calls::Scripted(calls, {}, Next::End)));
    ASSERT_TRUE(calls->Reach(1, kBoundMs));
    EXPECT_EQ(calls->priority(0), priority);
    EXPECT_TRUE(thread.Stop(kBoundMs));
  }
}

}  // namespace
}  // namespace corvan
