#include "platform/wait_thread_win32.h"

#include <vector>

#include "core/waiter_list.h"

namespace corvan {

struct WaitThread::Shared {
  using Waiters = WaiterList<HANDLE, DWORD>;
  // The stop and change events take two of the places one wait can watch.
  static constexpr size_t kCapacity = MAXIMUM_WAIT_OBJECTS - 2;

  Shared() : stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), changed(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Shared() {
    if (stop) CloseHandle(stop);
    if (changed) CloseHandle(changed);
  }

  void Remove(HANDLE handle) {
    waiters.Remove(handle);
    SetEvent(changed);
  }

  // How many were dropped. Trying a handle takes its signal (an auto-reset event's, a pulse
  // never), so one found signalled has its handler run here.
  size_t DropUnwaitable(const std::vector<Waiters::Waiter>& snapshot) {
    size_t dropped = 0;
    for (const Waiters::Waiter& waiter : snapshot) {
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
    Waiters::Snapshot snapshot;
    HANDLE handles[MAXIMUM_WAIT_OBJECTS] = {stop, changed};
    for (;;) {
      waiters.CopyIfChanged(snapshot);
      for (size_t i = 0; i < snapshot.waiters.size(); ++i) handles[i + 2] = snapshot.waiters[i].handle;
      const DWORD count = static_cast<DWORD>(snapshot.waiters.size() + 2);
      const DWORD timeoutMs = snapshot.timeout ? snapshot.timeout() : INFINITE;
      const DWORD woken = WaitForMultipleObjects(count, handles, FALSE, timeoutMs);
      if (woken == WAIT_OBJECT_0) return;
      if (woken == WAIT_TIMEOUT) {
        if (snapshot.onTimeout) snapshot.onTimeout();
      } else if (woken == WAIT_FAILED) {
        // Every handle waitable and the wait still failing: nothing here could mend it.
        if (DropUnwaitable(snapshot.waiters) == 0) return;
      } else if (woken >= WAIT_OBJECT_0 + 2 && woken < WAIT_OBJECT_0 + count) {
        snapshot.waiters[woken - WAIT_OBJECT_0 - 2].handler();
      }
    }
  }

  HANDLE stop;     // manual reset, set once
  HANDLE changed;  // auto reset: the waiters or the timer changed
  Waiters waiters{kCapacity};
};

WaitThread::WaitThread() : shared_(std::make_shared<Shared>()) {}

WaitThread::~WaitThread() { Stop(0); }

bool WaitThread::Add(HANDLE handle, Handler handler) {
  if (!handle || !shared_->stop || !shared_->changed) return false;
  if (!shared_->waiters.Add(handle, std::move(handler))) return false;
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
  shared_->waiters.SetTimer(std::move(timeout), std::move(onTimeout));
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
