#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace corvan {

// Blocks until the tilt event is pulsed. False when the wait failed or the worker is told to stop.
class TiltWaiter {
 public:
  virtual ~TiltWaiter() = default;
  virtual bool WaitForTilt() = 0;
};

// The direction of everything accumulated since the last take (-1, 0 or +1); the count is cleared,
// so steps that pile up while a window is slow are never replayed later.
int32_t TakeTiltDirection(std::atomic<int32_t>& accumulator);

// The tilt worker's loop: one step per wake-up whatever the count, until the shutting-down flag
// is set or the wait fails.
void RunTiltWorker(TiltWaiter& waiter, std::atomic<int32_t>& accumulator, const std::atomic<int32_t>& shuttingDown,
                   const std::function<void(int32_t direction)>& step);

}  // namespace corvan
