#pragma once

#include <chrono>
#include <cstdint>

namespace corvan {

// When the steps of an animation fall: a fixed period apart while it moves. A late step keeps the
// next one in its place; once the next would be more than a period overdue, the schedule starts
// again a period from now instead of catching up with a burst of quicker steps.
class StepSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  explicit StepSchedule(std::chrono::milliseconds period) : period_(period) {}

  // A motion that has just begun: its first step is due at once.
  void BeginAt(Clock::time_point now) { due_ = now; }
  // A motion that is already under way: its next step is one period on.
  void ContinueFrom(Clock::time_point now) { due_ = now + period_; }
  void Stepped(Clock::time_point now) {
    due_ += period_;
    if (due_ + period_ < now) due_ = now + period_;
  }

  Clock::time_point due() const { return due_; }
  // Whole milliseconds, rounded up so that a wait never ends before the step is due.
  uint32_t MsUntilDue(Clock::time_point now) const {
    if (due_ <= now) return 0;
    return static_cast<uint32_t>(std::chrono::ceil<std::chrono::milliseconds>(due_ - now).count());
  }

 private:
  std::chrono::milliseconds period_;
  Clock::time_point due_{};
};

}  // namespace corvan
