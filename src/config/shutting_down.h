#pragma once

#include <cstdint>

namespace corvan {

// The process-wide shutting-down flag: 0 while the program runs, 1 once it closes, 2 once the
// single-instance listener has ended on the way out.
enum ShuttingDown : int32_t {
  kRunning = 0,
  kClosing = 1,
  kListenerEnded = 2,
};

}  // namespace corvan
