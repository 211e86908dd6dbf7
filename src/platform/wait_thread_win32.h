#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/owned_thread_win32.h"

namespace corvan {

// One thread that waits on many handles at once and runs the handler of whichever is signalled
// (a pulse included) on that thread. Every thread costs its stack for as long as it lives, so the
// program's long-lived waiters share this one instead of blocking one thread each. A handler must
// be short: while it runs, a pulse meant for another handler finds nobody waiting.
// What the thread uses it shares with this object, so a thread that overstays a bounded Stop
// touches nothing that is gone; handlers carry what they need by value.
class WaitThread {
 public:
  using Handler = std::function<void()>;
  // How long the thread may sleep before the timer's handler runs: INFINITE while nothing is due.
  using Timeout = std::function<DWORD()>;

  WaitThread();
  ~WaitThread();
  WaitThread(const WaitThread&) = delete;
  WaitThread& operator=(const WaitThread&) = delete;

  // The thread starts with the first handler. A handle that cannot be waited on (closed, or opened
  // without the right to wait) is dropped at the first failed wait, and its handler never runs.
  // False without a handle or a thread, or with 62 handlers already.
  bool Add(HANDLE handle, Handler handler);
  // Stops waiting on the handle; the call may come from a handler.
  void Remove(HANDLE handle);
  // Asked before every wait; when the wait times out, onTimeout runs.
  void SetTimer(Timeout timeout, Handler onTimeout);
  // Makes the thread ask its timer again (after something made a timeout due).
  void Wake();

  // Releases the thread and waits for it within the bound. True when it has ended (or never ran).
  bool Stop(DWORD boundMs);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  OwnedThread thread_;
};

}  // namespace corvan
