#pragma once

#include <cstdint>

namespace corvan {

// The system removes a low-level hook that once took too long, without a word, and the tilt and
// spotlight wheels then stop working. Raw mouse input keeps arriving whatever the hooks do, and
// the hook sees every mouse event before raw input is made of it: when several raw events in a
// row came while the hook saw nothing, the hook is gone. Checked on the raw input the program
// receives anyway, so nothing runs while the mouse is idle and the hook itself only counts.
class HookWatch {
 public:
  // Raw events in a row unseen by the hook before it counts as lost. A few, not one: a hook call
  // that times out once (the main thread was busy) is skipped without the hook being removed.
  static constexpr uint32_t kUnseenBeforeLost = 8;

  // One raw mouse event arrived; hookEventsSeen is the hook's running count. True when the hook
  // must be installed again (the watch then starts over).
  bool OnRawMouse(uint32_t hookEventsSeen);
  // The hook was installed anew for another reason (resume from sleep).
  void Reset(uint32_t hookEventsSeen);

 private:
  uint32_t lastSeen_ = 0;
  uint32_t unseen_ = 0;
};

}  // namespace corvan
