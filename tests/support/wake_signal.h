#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace corvan {

// A stand-in for the auto-reset events the program's worker threads wait on: pulses that come
// while the worker is busy leave one wake-up pending. Each pulse is numbered, so a test can wait
// until the worker has finished with the wake-up that took a given pulse. Every wait is bounded:
// a worker that never comes fails the test instead of hanging it.
class WakeSignal {
 public:
  static constexpr std::chrono::seconds kBound{10};

  // Returns the pulse's number.
  uint64_t Pulse() {
    std::lock_guard lock(mutex_);
    pending_ = true;
    const uint64_t number = ++pulses_;
    changed_.notify_all();
    return number;
  }

  void Stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

  // The worker's loop: runs `wake` once per wake-up until stopped; a pulse pending at the stop is
  // still served. False when a bound ran out.
  template <typename Wake>
  bool Serve(Wake&& wake) {
    for (;;) {
      uint64_t taken = 0;
      {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, kBound, [&] { return pending_ || stopped_; })) return false;
        if (!pending_) return true;
        pending_ = false;
        taken = pulses_;
      }
      wake();
      std::lock_guard lock(mutex_);
      served_ = taken;
      changed_.notify_all();
    }
  }

  // True once a wake-up that began after pulse `number` has finished.
  bool WaitUntilServed(uint64_t number) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kBound, [&] { return served_ >= number; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool pending_ = false;
  bool stopped_ = false;
  uint64_t pulses_ = 0;
  uint64_t served_ = 0;
};

}  // namespace corvan
