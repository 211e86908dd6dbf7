#pragma once

#include <cstdint>

namespace corvan {

// The single entry for running a catalogue function: the mouse's buttons, gestures and extra key,
// the picker and the quick-launch menu all come through here. Ids that name nothing do nothing.
class FunctionRunner {
 public:
  virtual ~FunctionRunner() = default;
  virtual void RunFunction(int32_t id) = 0;
  // The release half: keystroke functions let their key go again.
  virtual void ReleaseFunction(int32_t id) = 0;
};

}  // namespace corvan
