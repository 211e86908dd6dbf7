#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace corvan {

// What one waiting thread watches, shared with the threads that change it: handles with the
// handler to run when each is signalled, and a timer. The waiting thread works from its own
// snapshot, so the lock is never held while it waits or runs a handler, and a handler may call
// Remove (its own handle included). The snapshot is copied only after a change: a wake-up that
// changed nothing costs no allocation.
template <typename Handle, typename WaitMs = uint32_t>
class WaiterList {
 public:
  using Handler = std::function<void()>;
  // How long the thread may sleep before the timer's handler runs.
  using Timeout = std::function<WaitMs()>;

  struct Waiter {
    Handle handle;
    Handler handler;
  };

  struct Snapshot {
    std::vector<Waiter> waiters;
    Timeout timeout;
    Handler onTimeout;
    // The list's change count when this was copied; a fresh snapshot has seen none.
    uint64_t version = ~uint64_t{0};
  };

  explicit WaiterList(size_t capacity) : capacity_(capacity) {}

  // False when the list already holds its capacity; a refused handler is no change.
  bool Add(Handle handle, Handler handler) {
    std::lock_guard<std::mutex> guard(lock_);
    if (waiters_.size() >= capacity_) return false;
    waiters_.push_back({std::move(handle), std::move(handler)});
    ++version_;
    return true;
  }

  // Every waiter on the handle goes.
  void Remove(const Handle& handle) {
    std::lock_guard<std::mutex> guard(lock_);
    std::erase_if(waiters_, [&handle](const Waiter& waiter) { return waiter.handle == handle; });
    ++version_;
  }

  void SetTimer(Timeout timeout, Handler onTimeout) {
    std::lock_guard<std::mutex> guard(lock_);
    timer_ = std::move(timeout);
    onTimer_ = std::move(onTimeout);
    ++version_;
  }

  // Brings the snapshot up to date; true when something had changed since it was last copied.
  bool CopyIfChanged(Snapshot& snapshot) const {
    std::lock_guard<std::mutex> guard(lock_);
    if (snapshot.version == version_) return false;
    snapshot.waiters = waiters_;
    snapshot.timeout = timer_;
    snapshot.onTimeout = onTimer_;
    snapshot.version = version_;
    return true;
  }

 private:
  const size_t capacity_;
  mutable std::mutex lock_;
  std::vector<Waiter> waiters_;
  Timeout timer_;
  Handler onTimer_;
  uint64_t version_ = 0;  // counts the changes to the three above
};

}  // namespace corvan
