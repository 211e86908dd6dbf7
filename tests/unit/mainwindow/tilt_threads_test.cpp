// The tilt accumulator as the running program shares it: the mouse hook's thread and the
// receiver's worker add steps, each followed by a pulse, while the tilt worker on the wait thread
// takes them; the close path sets the shutting-down flag from yet another thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "config/assignments.h"
#include "config/shutting_down.h"
#include "device/device_events.h"
#include "input/tilt_worker.h"
#include "mainwindow/mouse_hook_rules.h"
#include "wake_signal.h"

namespace corvan {
namespace {

constexpr int kTurnsPerSource = 2000;

uint32_t WheelData(int16_t delta) { return static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16; }

struct TiltShared {
  std::atomic<int32_t> accumulator{0};
  std::atomic<int32_t> shuttingDown{kRunning};
  WakeSignal tiltEvent;
};

// The low-level hook's thread: the board is hidden, so the tilt wheel is the worker's.
class HookSide {
 public:
  explicit HookSide(TiltShared& shared)
      : shared_(shared), hook_{boardShown_, boardMode_, spotlightSize_, shared.accumulator, eventsSeen_} {}

  // The pulse's number, or 0 when the hook asked for none.
  uint64_t Turn(int16_t delta) {
    const MouseHookOutcome outcome = ApplyMouseHook({0, kMessageMouseHWheel, WheelData(delta)}, hook_);
    return outcome.pulseTilt ? shared_.tiltEvent.Pulse() : 0;
  }

 private:
  TiltShared& shared_;
  std::atomic<bool> boardShown_{false};
  std::atomic<int32_t> boardMode_{0};
  std::atomic<int32_t> spotlightSize_{400};
  std::atomic<uint32_t> eventsSeen_{0};
  MouseHookShared hook_;
};

// The receiver's worker: tilt reports go through the device events, which pulse the same event.
class ReceiverSide : public FunctionRunner, public DeviceEventEffects {
 public:
  explicit ReceiverSide(TiltShared& shared) : shared_(shared), events_(assignments_, shared.accumulator, *this, *this) {}

  uint64_t Turn(int32_t steps) {
    events_.OnTilt(steps);
    return lastPulse_;
  }

  void RunFunction(int32_t) override {}
  void ReleaseFunction(int32_t) override {}
  void PulseTiltEvent() override { lastPulse_ = shared_.tiltEvent.Pulse(); }
  void StartGestureAnimation(int) override {}

 private:
  TiltShared& shared_;
  Assignments assignments_;
  DeviceEvents events_;
  uint64_t lastPulse_ = 0;
};

struct TiltWorkerThread {
  explicit TiltWorkerThread(TiltShared& shared)
      : thread([this, &shared] {
          servedWithinBound = shared.tiltEvent.Serve([&] {
            OnTiltWake(shared.accumulator, shared.shuttingDown, [&](int32_t direction) {
              ++steps;
              if (direction != expectedDirection) ++wrongSteps;
            });
          });
        }) {}

  std::atomic<int32_t> expectedDirection{0};
  std::atomic<int> steps{0};
  std::atomic<int> wrongSteps{0};
  bool servedWithinBound = false;
  std::thread thread;
};

TEST(TiltThreads, EveryTurnIsFollowedByAStepWhileTheHookAndTheReceiverAddAtOnce) {
  struct Row {
    const char* name;
    int16_t hookDelta;       // 0: the hook stays still
    int32_t receiverSteps;   // 0: the receiver stays still
    int32_t direction;
  };
  const Row rows[] = {
      {"both to the right", 120, 1, 1},
      {"both to the left, the hook in part notches", -30, -2, -1},
      {"the hook alone", 240, 0, 1},
      {"the receiver alone", 0, -1, -1},
  };
  for (const Row& row : rows) {
    TiltShared shared;
    TiltWorkerThread worker(shared);
    worker.expectedDirection = row.direction;
    // A step taken for a turn counts only when it came after the turn was added: whichever wake-up
    // serves the turn's own pulse has looked at the accumulator since.
    std::atomic<int> turnsWithoutStep{0};
    auto turnRepeatedly = [&](auto turn) {
      for (int i = 0; i < kTurnsPerSource; ++i) {
        const int stepsBefore = worker.steps;
        const uint64_t pulse = turn();
        if (!shared.tiltEvent.WaitUntilServed(pulse) || worker.steps <= stepsBefore) ++turnsWithoutStep;
      }
    };
    HookSide hookSide(shared);
    ReceiverSide receiverSide(shared);
    std::thread hook([&] { if (row.hookDelta) turnRepeatedly([&] { return hookSide.Turn(row.hookDelta); }); });
    std::thread receiver([&] { if (row.receiverSteps) turnRepeatedly([&] { return receiverSide.Turn(row.receiverSteps); }); });
    hook.join();
    receiver.join();
    shared.tiltEvent.Stop();
    worker.thread.join();

    EXPECT_TRUE(worker.servedWithinBound) << row.name;
    EXPECT_EQ(turnsWithoutStep, 0) << row.name;
    EXPECT_EQ(worker.wrongSteps, 0) << row.name;
    EXPECT_GT(worker.steps, 0) << row.name;
    EXPECT_EQ(shared.accumulator, 0) << row.name << ": steps left behind after the last wake-up";
  }
}

TEST(TiltThreads, NoStepOnceTheCloseHasBeenSeenWhileTurnsKeepComing) {
  TiltShared shared;
  TiltWorkerThread worker(shared);
  worker.expectedDirection = 1;
  HookSide hookSide(shared);
  ReceiverSide receiverSide(shared);
  std::atomic<bool> closed{false};
  auto turnUntilWellAfterClose = [&](auto turn) {
    for (int after = 0; after < kTurnsPerSource;) {
      const bool wasClosed = closed;
      turn();
      if (wasClosed) ++after;
    }
  };
  std::thread hook([&] { turnUntilWellAfterClose([&] { hookSide.Turn(120); }); });
  std::thread receiver([&] { turnUntilWellAfterClose([&] { receiverSide.Turn(1); }); });

  int stepsAtClose = -1;
  std::thread closer([&] {
    shared.shuttingDown = kClosing;
    // The wake-up that serves this pulse began after the flag was set, and every one before it
    // has finished: no step can come after it.
    const uint64_t pulse = shared.tiltEvent.Pulse();
    if (shared.tiltEvent.WaitUntilServed(pulse)) stepsAtClose = worker.steps;
    closed = true;
  });
  closer.join();
  hook.join();
  receiver.join();
  shared.tiltEvent.Stop();
  worker.thread.join();

  EXPECT_TRUE(worker.servedWithinBound);
  ASSERT_GE(stepsAtClose, 0) << "the worker never served the close's pulse";
  EXPECT_EQ(worker.steps, stepsAtClose);
  EXPECT_EQ(worker.wrongSteps, 0);
  EXPECT_GT(shared.accumulator, 0) << "turns after the close stay unspent";
}

}  // namespace
}  // namespace corvan
