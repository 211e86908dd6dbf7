#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/owned_thread_win32.h"

namespace corvan {

// The thread of one animation: it calls a step function a fixed period apart while something
// moves, and while nothing does, blocks until it is woken, costing no wake-up at all. The step
// function runs on the thread; it may reach into its owner, who therefore stops the thread before
// going. It must not wait for the owner's thread, which may be stopping it.
class AnimationThread {
 public:
  // What follows a call of the step function.
  enum class Next {
    Step,  // another step, one period on
    Rest,  // nothing moves: no call until Wake
    End,   // the thread ends by itself
  };
  using StepFunction = std::function<Next()>;

  struct Options {
    DWORD stepMs = 10;
    int priority = THREAD_PRIORITY_NORMAL;
    // Off: the thread starts at rest and steps once woken. On: it steps from the start, the first
    // step one period after it.
    bool stepsFromStart = false;
  };

  AnimationThread();
  // Only asks the thread to stop: its owner has stopped it with a bound already.
  ~AnimationThread();
  AnimationThread(const AnimationThread&) = delete;
  AnimationThread& operator=(const AnimationThread&) = delete;

  // A thread started before must have ended by itself or been stopped: it is joined first, within
  // a bound. False when it has not ended, or no thread could be started.
  bool Start(const Options& options, StepFunction step);
  // Something began to move: a resting thread steps at once. A stepping one keeps its pace.
  void Wake();
  // True when the thread has ended within the bound, or never ran.
  bool Stop(DWORD boundMs);

  // Started and not yet joined.
  bool started() const { return thread_.started(); }
  bool running() const { return thread_.running(); }

 private:
  struct Events;
  // Shared with the thread, so that one that overstays a bounded Stop still has its events.
  std::shared_ptr<Events> events_;
  OwnedThread thread_;
};

}  // namespace corvan
