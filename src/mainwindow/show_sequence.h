#pragma once

#include <cstdint>
#include <optional>

namespace corvan {

// What a second copy's wake-up does to the main window, step by step, with the pause before each.
enum class ShowStep { Show, MakeForeground, BringToTop, Invalidate };

struct TimedStep {
  uint32_t delayMs;
  ShowStep step;
};

// The main window's answer to a second copy: 100 ms, show; 100 ms, foreground; 100 ms, to the
// top; 300 ms, repaint. Run by timers on the window's own thread, so the listener can go straight
// back to waiting and a wake-up that arrives meanwhile is not lost: it restarts the sequence.
class ShowSequence {
 public:
  // Starts (or restarts) the sequence; returns the first pause.
  uint32_t Start();
  // The step due now and the pause before the next one, if any.
  struct Due {
    ShowStep step;
    std::optional<uint32_t> nextDelayMs;
  };
  std::optional<Due> Advance();
  bool running() const { return next_ < kStepCount && started_; }

  static constexpr int kStepCount = 4;
  static constexpr TimedStep kSteps[kStepCount] = {
      {100, ShowStep::Show},
      {100, ShowStep::MakeForeground},
      {100, ShowStep::BringToTop},
      {300, ShowStep::Invalidate},
  };

 private:
  int next_ = 0;
  bool started_ = false;
};

}  // namespace corvan
