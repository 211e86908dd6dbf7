#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "input/tilt_rules.h"

namespace corvan {

// Reads the scene of one tilt step from the desktop: foreground, cursor, window under the cursor
// and the keyboard focus of the foreground thread.
TiltScene ReadTiltScene(int32_t direction);

// Runs one tilt step: reads the scene, plans and posts. A window that has gone or refuses the
// post (another integrity level) is skipped quietly.
void RunTiltStep(int32_t direction);

// The tilt worker's thread: waits on the tilt event and scrolls one step per wake-up. Whoever
// starts it stops it, before the tilt event's handle is closed.
class TiltScrollWorker {
 public:
  TiltScrollWorker(std::atomic<int32_t>& accumulator, const std::atomic<int32_t>& shuttingDown)
      : accumulator_(accumulator), shuttingDown_(shuttingDown) {}
  ~TiltScrollWorker();
  TiltScrollWorker(const TiltScrollWorker&) = delete;
  TiltScrollWorker& operator=(const TiltScrollWorker&) = delete;

  bool Start(HANDLE tiltEvent);
  // Ends the thread whether or not it is waiting; true when it has ended within the bound.
  bool Stop(DWORD boundMs);

 private:
  static DWORD WINAPI ThreadMain(LPVOID self);

  std::atomic<int32_t>& accumulator_;
  const std::atomic<int32_t>& shuttingDown_;
  HANDLE tiltEvent_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace corvan
