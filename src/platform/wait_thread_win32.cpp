#include "platform/wait_thread_win32.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace corvan {

struct WaitThread::Shared {
  struct Waiter {
    HANDLE handle;
    Handler handler;
  };

  Shared() : stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), changed(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Shared() {
    if (stop) CloseHandle(stop);
    if (changed) CloseHandle(changed);
  }

  void Remove(HANDLE handle) {
    {
      std::lock_guard<std::mutex> guard(lock);
      std::erase_if(waiters, [handle](const Waiter& waiter) { return waiter.handle == handle; });
      ++version;
    }
    SetEvent(changed);
  }

  // How many were dropped. Trying a handle takes its signal (an auto-reset event's, a pulse
  // never), so one found signalled has its handler run here.
  size_t DropUnwaitable(const std::vector<Waiter>& snapshot) {
    size_t dropped = 0;
    for (const Waiter& waiter : snapshot) {
      const DWORD state = WaitForSingleObject(waiter.handle, 0);
      if (state == WAIT_OBJECT_0) {
        waiter.handler();
      } else if (state == WAIT_FAILED) {
        Remove(waiter.handle);
        ++dropped;
      }
    }
    return dropped;
  }

  void Run() {
    std::vector<Waiter> snapshot;
    Timeout timeout;
    Handler onTimeout;
    HANDLE handles[MAXIMUM_WAIT_OBJECTS] = {stop, changed};
    uint64_t seen = ~uint64_t{0};
    for (;;) {
      // Copied only after a change: a wake-up for a tilt notch costs no allocation.
      {
        std::lock_guard<std::mutex> guard(lock);
        if (seen != version) {
          snapshot = waiters;
          timeout = timer;
          onTimeout = onTimer;
          seen = version;
        }
      }
      for (size_t i = 0; i < snapshot.size(); ++i) handles[i + 2] = snapshot[i].handle;
      const DWORD count = static_cast<DWORD>(snapshot.size() + 2);
      const DWORD woken = WaitForMultipleObjects(count, handles, FALSE, timeout ? timeout() : INFINITE);
      if (woken == WAIT_OBJECT_0) return;
      if (woken == WAIT_TIMEOUT) {
        if (onTimeout) onTimeout();
      } else if (woken == WAIT_FAILED) {
        // Every handle waitable and the wait still failing: nothing here could mend it.
        if (DropUnwaitable(snapshot) == 0) return;
      } else if (woken >= WAIT_OBJECT_0 + 2 && woken < WAIT_OBJECT_0 + count) {
        snapshot[woken - WAIT_OBJECT_0 - 2].handler();
      }
    }
  }

  HANDLE stop;     // manual reset, set once
  HANDLE changed;  // auto reset: the waiters or the timer changed
  std::mutex lock;
  std::vector<Waiter> waiters;
  Timeout timer;
  Handler onTimer;
  uint64_t version = 0;  // counts the changes to the three above
};

WaitThread::WaitThread() : shared_(std::make_shared<Shared>()) {}

WaitThread::~WaitThread() { Stop(0); }

bool WaitThread::Add(HANDLE handle, Handler handler) {
  if (!handle || !shared_->stop || !shared_->changed) return false;
  {
    std::lock_guard<std::mutex> guard(shared_->lock);
    // The stop and change events take two of the places one wait can watch.
    if (shared_->waiters.size() >= MAXIMUM_WAIT_OBJECTS - 2) return false;
    shared_->waiters.push_back({handle, std::move(handler)});
    ++shared_->version;
  }
  if (thread_.started()) {
    SetEvent(shared_->changed);
    return true;
  }
  return thread_.Start([shared = shared_] { shared->Run(); });
}

void WaitThread::Remove(HANDLE handle) {
  if (shared_->changed) shared_->Remove(handle);
}

void WaitThread::SetTimer(Timeout timeout, Handler onTimeout) {
  {
    std::lock_guard<std::mutex> guard(shared_->lock);
    shared_->timer = std::move(timeout);
    shared_->onTimer = std::move(onTimeout);
    ++shared_->version;
  }
  Wake();
}

void WaitThread::Wake() {
  if (shared_->changed) SetEvent(shared_->changed);
}

bool WaitThread::Stop(DWORD boundMs) {
  if (shared_->stop) SetEvent(shared_->stop);
  return thread_.Join(boundMs);
}

}  // namespace corvan
