#pragma once

#include <windows.h>

#include <memory>

#include "platform/owned_thread_win32.h"

namespace corvan {

// A thread that holds the low-level mouse hook and does nothing else. The system calls the hook
// on the thread that installed it, for every mouse event of the desktop, and gives up on a thread
// that does not answer in time: it passes the event on unhooked (a tilt notch then reaches the
// application as it is) and, after a few such misses, removes the hook without a word. A thread
// that only waits for its messages answers at once, whatever the program's windows are doing:
// painting, saving, showing a tip, capturing the screen or waiting for a window manager.
class MouseHookThread {
 public:
  MouseHookThread();
  // Stops the thread, which takes the hook down with it.
  ~MouseHookThread();
  MouseHookThread(const MouseHookThread&) = delete;
  MouseHookThread& operator=(const MouseHookThread&) = delete;

  // Starts the thread and returns once it has installed the hook (or given up): true when the
  // hook is in place.
  bool Start(HOOKPROC hook);
  // Has the thread take the hook down and install it anew, and returns once it has: true when a
  // hook is in place again.
  bool Reinstall();
  // Takes the hook down and ends the thread, waiting for it at most the bound.
  void Stop();

  HHOOK handle() const;
  DWORD threadId() const;

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  OwnedThread thread_;
};

}  // namespace corvan
