#pragma once

#include <atomic>
#include <cstdint>

namespace corvan {

// One wake-up of the tilt worker: scrolls the window under the pointer one step in the direction
// of what has accumulated. A window that has gone or refuses the post (another integrity level)
// is skipped quietly.
void RunTiltScrollStep(std::atomic<int32_t>& accumulator, const std::atomic<int32_t>& shuttingDown);

}  // namespace corvan
