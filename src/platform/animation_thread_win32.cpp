#include "platform/animation_thread_win32.h"

#include <chrono>

#include "core/step_schedule.h"

namespace corvan {
namespace {

// A thread asked to start again has ended or been stopped: it is only leaving.
constexpr DWORD kEndedThreadBoundMs = 2000;

}  // namespace

struct AnimationThread::Events {
  Events() : stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), wake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Events() {
    if (stop) CloseHandle(stop);
    if (wake) CloseHandle(wake);
  }
  HANDLE stop;  // manual reset: set by Stop
  HANDLE wake;  // auto reset: something began to move
};

namespace {

void Animate(HANDLE stop, HANDLE wake, const AnimationThread::Options& options,
             const AnimationThread::StepFunction& step) {
  using Clock = StepSchedule::Clock;
  SetThreadPriority(GetCurrentThread(), options.priority);
  StepSchedule schedule{std::chrono::milliseconds(options.stepMs)};
  schedule.ContinueFrom(Clock::now());
  bool resting = !options.stepsFromStart;
  for (;;) {
    if (resting) {
      const HANDLE handles[] = {stop, wake};
      if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
      schedule.BeginAt(Clock::now());
    }
    if (WaitForSingleObject(stop, schedule.MsUntilDue(Clock::now())) != WAIT_TIMEOUT) return;
    // The step sees for itself what a wake until now announced: only a later one may end a rest.
    ResetEvent(wake);
    const AnimationThread::Next next = step();
    if (next == AnimationThread::Next::End) return;
    resting = next == AnimationThread::Next::Rest;
    schedule.Stepped(Clock::now());
  }
}

}  // namespace

AnimationThread::AnimationThread() : events_(std::make_shared<Events>()) {}

AnimationThread::~AnimationThread() {
  if (events_->stop) SetEvent(events_->stop);
}

bool AnimationThread::Start(const Options& options, StepFunction step) {
  if (!events_->stop || !events_->wake) return false;
  if (!thread_.Join(kEndedThreadBoundMs)) return false;
  ResetEvent(events_->stop);
  ResetEvent(events_->wake);
  return thread_.Start([events = events_, options, step = std::move(step)] {
    Animate(events->stop, events->wake, options, step);
  });
}

void AnimationThread::Wake() {
  if (events_->wake) SetEvent(events_->wake);
}

bool AnimationThread::Stop(DWORD boundMs) {
  if (events_->stop) SetEvent(events_->stop);
  return thread_.Join(boundMs);
}

}  // namespace corvan
