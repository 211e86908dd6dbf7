#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace corvan {

// The tilt worker's body: waits on the tilt event and scrolls the window under the pointer one
// step per wake-up, until the shutting-down flag is set or the stop event is. A window that has
// gone or refuses the post (another integrity level) is skipped quietly. The thread that runs it
// is its starter's to end, before the tilt event's handle is closed.
void RunTiltScrollWorker(HANDLE tiltEvent, HANDLE stopEvent, std::atomic<int32_t>& accumulator,
                         const std::atomic<int32_t>& shuttingDown);

}  // namespace corvan
