#pragma once

#include <atomic>
#include <cstdint>

#include "core/window_messages.h"

namespace corvan {

inline constexpr int32_t kSpotlightMin = 100;
inline constexpr int32_t kSpotlightMax = 800;
inline constexpr int32_t kSpotlightStepPerNotch = 10;
inline constexpr int32_t kBoardModeSpotlight = 4;

struct MouseHookEvent {
  int32_t code;          // hook code; only HC_ACTION (0) is ours to look at
  uint32_t message;      // WM_MOUSEWHEEL, WM_MOUSEHWHEEL, ...
  uint32_t mouseData;    // high word: the signed wheel delta
};

struct MouseHookContext {
  bool boardVisible;
  int32_t boardMode;
  int32_t spotlightSize;
};

enum class HookVerdict {
  ReturnZero,  // not an action code: return 0 without calling the next hook
  PassOn,      // call the next hook and return its answer
  Swallow,     // return 1: the event never reaches any application
};

struct MouseHookDecision {
  HookVerdict verdict = HookVerdict::PassOn;
  int32_t spotlightSize = 0;  // the new size when the wheel resized the spotlight
  bool resizeSpotlight = false;
  int32_t tiltSteps = 0;      // added to the tilt accumulator (then the tilt event is pulsed)
  bool addTilt = false;
};

// What the low-level mouse hook does with one event: integer arithmetic only, it runs for every
// mouse event of the desktop.
MouseHookDecision DecideMouseHook(const MouseHookEvent& event, const MouseHookContext& context);

// What the hook reads and changes of the program's state. The hook runs on the main window's
// thread for every mouse event of the desktop, so everything here is a plain load or store.
struct MouseHookShared {
  const std::atomic<bool>& boardShown;
  const std::atomic<int32_t>& boardMode;
  std::atomic<int32_t>& spotlightSize;
  std::atomic<int32_t>& tiltAccumulator;
  // Every event the hook was called for; the hook watch compares it with the raw input.
  std::atomic<uint32_t>& eventsSeen;
};

struct MouseHookOutcome {
  HookVerdict verdict = HookVerdict::PassOn;
  bool pulseTilt = false;  // the tilt accumulator changed: wake the tilt worker
  // The spotlight's size changed: the board must draw it now. The wheel turn that changed it is
  // swallowed, and the system makes no raw input of a swallowed event, so nothing else tells it.
  bool presentSpotlight = false;
};

// One event through the hook: decides, and applies the decision to the shared values.
MouseHookOutcome ApplyMouseHook(const MouseHookEvent& event, MouseHookShared& shared);

// A wheel delta as whole notches: deltas below one notch still count as one in their direction.
int32_t WheelNotches(int32_t delta);

}  // namespace corvan
