#include "mainwindow/show_sequence.h"

namespace corvan {

uint32_t ShowSequence::Start() {
  started_ = true;
  next_ = 0;
  return kSteps[0].delayMs;
}

std::optional<ShowSequence::Due> ShowSequence::Advance() {
  if (!running()) return std::nullopt;
  const ShowStep step = kSteps[next_].step;
  ++next_;
  if (next_ < kStepCount) return Due{step, kSteps[next_].delayMs};
  started_ = false;
  return Due{step, std::nullopt};
}

}  // namespace corvan
