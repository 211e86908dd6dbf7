#include "input/tilt_worker.h"

namespace corvan {

int32_t TakeTiltDirection(std::atomic<int32_t>& accumulator) {
  const int32_t steps = accumulator.exchange(0);
  return steps > 0 ? 1 : (steps < 0 ? -1 : 0);
}

void OnTiltWake(std::atomic<int32_t>& accumulator, const std::atomic<int32_t>& shuttingDown,
                const std::function<void(int32_t direction)>& step) {
  if (shuttingDown != 0) return;
  if (const int32_t direction = TakeTiltDirection(accumulator)) step(direction);
}

}  // namespace corvan
