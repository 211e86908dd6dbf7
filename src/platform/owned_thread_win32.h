#pragma once

#include <windows.h>

#include <functional>

namespace corvan {

// A thread whose starter owns its end. The body carries what it needs by value (handles, and
// pointers only to what outlives the program's window), so a thread that overstays a bounded
// join touches nothing that is gone.
class OwnedThread {
 public:
  OwnedThread() = default;
  // Never waits: a thread still running keeps running on what its body holds.
  ~OwnedThread();
  OwnedThread(const OwnedThread&) = delete;
  OwnedThread& operator=(const OwnedThread&) = delete;

  bool Start(std::function<void()> body);
  // True when the thread has ended within the bound, or was never started.
  bool Join(DWORD boundMs);
  bool started() const { return handle_ != nullptr; }
  // Started, not yet joined, and still running.
  bool running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace corvan
