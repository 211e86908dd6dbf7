#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace corvan {

// The direction of everything accumulated since the last take (-1, 0 or +1); the count is cleared,
// so steps that pile up while a window is slow are never replayed later.
int32_t TakeTiltDirection(std::atomic<int32_t>& accumulator);

// One wake-up of the tilt worker: one step in the direction of what has accumulated, whatever the
// count; nothing once the program shuts down.
void OnTiltWake(std::atomic<int32_t>& accumulator, const std::atomic<int32_t>& shuttingDown,
                const std::function<void(int32_t direction)>& step);

}  // namespace corvan
