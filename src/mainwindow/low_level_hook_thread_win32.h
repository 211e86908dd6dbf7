#pragma once

#include <windows.h>

#include <memory>

#include "platform/owned_thread_win32.h"

namespace corvan {

// A thread that holds the low-level hooks and does nothing else: the mouse hook for the program's
// life, the keyboard hook only while asked for. The system calls a low-level hook on the thread
// that installed it, for every event of the desktop, and gives up on a thread that does not answer
// in time: it passes the event on unhooked (a tilt notch then reaches the application as it is)
// and, after a few such misses, removes the hook without a word. A thread that only waits for its
// messages answers at once, whatever the program's windows are doing: painting, saving, showing a
// tip, capturing the screen or waiting for a window manager.
class LowLevelHookThread {
 public:
  LowLevelHookThread();
  // Stops the thread, which takes the hooks down with it.
  ~LowLevelHookThread();
  LowLevelHookThread(const LowLevelHookThread&) = delete;
  LowLevelHookThread& operator=(const LowLevelHookThread&) = delete;

  // Starts the thread and returns once it has installed the mouse hook (or given up): true when
  // the hook is in place.
  bool Start(HOOKPROC mouseHook);
  // Has the thread put the mouse hook in anew, and returns once it has: true when a hook is in
  // place again.
  bool Reinstall();
  // Has the thread install (on) or remove the keyboard hook, and returns once it has. Every
  // keystroke of the desktop wakes the thread while it is in.
  bool ListenToKeyboard(HOOKPROC keyboardHook, bool on);
  // Takes the hooks down and ends the thread, waiting for it at most a bound.
  void Stop();

  HHOOK handle() const;
  bool listeningToKeyboard() const;
  DWORD threadId() const;

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  OwnedThread thread_;
};

}  // namespace corvan
