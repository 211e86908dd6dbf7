#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "config/assignments.h"
#include "device/receiver_link.h"
#include "platform/hid_win32.h"

namespace corvan {

// The receiver link with the enumerator, pacing and worker threads it talks through. Shared by
// the main window and the close watcher, so a watcher that overstays a bounded join still has
// everything it uses.
struct ReceiverConnection {
  ReceiverConnection(std::mutex& pushLock, const Assignments& assignments, const std::atomic<int32_t>& shuttingDown)
      : link(enumerator, sleeper, threads, pushLock, assignments, shuttingDown) {}

  Win32HidEnumerator enumerator;
  Win32Sleeper sleeper;
  JoiningThreadStarter threads;
  ReceiverLink link;
};

}  // namespace corvan
