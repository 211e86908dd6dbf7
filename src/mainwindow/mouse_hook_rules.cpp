#include "mainwindow/mouse_hook_rules.h"

#include <algorithm>

namespace corvan {
namespace {

int32_t WheelDelta(uint32_t mouseData) { return static_cast<int16_t>(static_cast<uint16_t>(mouseData >> 16)); }

}  // namespace

int32_t WheelNotches(int32_t delta) {
  if (delta >= kWheelNotch || delta <= -kWheelNotch) return delta / kWheelNotch;
  return delta > 0 ? 1 : (delta < 0 ? -1 : 0);
}

MouseHookDecision DecideMouseHook(const MouseHookEvent& event, const MouseHookContext& context) {
  MouseHookDecision decision;
  if (event.code != 0) {
    decision.verdict = HookVerdict::ReturnZero;
    return decision;
  }
  if (context.boardVisible) {
    if (event.message == kMessageMouseWheel && context.boardMode == kBoardModeSpotlight) {
      const int32_t grown = context.spotlightSize + kSpotlightStepPerNotch * WheelNotches(WheelDelta(event.mouseData));
      decision.spotlightSize = std::clamp(grown, kSpotlightMin, kSpotlightMax);
      decision.resizeSpotlight = true;
      decision.verdict = HookVerdict::Swallow;
    }
    return decision;
  }
  if (event.message == kMessageMouseHWheel) {
    decision.tiltSteps = WheelNotches(WheelDelta(event.mouseData));
    decision.addTilt = true;
    decision.verdict = HookVerdict::Swallow;
  }
  return decision;
}

MouseHookOutcome ApplyMouseHook(const MouseHookEvent& event, MouseHookShared& shared) {
  shared.eventsSeen.store(shared.eventsSeen.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  const MouseHookContext context{shared.boardShown.load(std::memory_order_relaxed),
                                 shared.boardMode.load(std::memory_order_relaxed),
                                 shared.spotlightSize.load(std::memory_order_relaxed)};
  const MouseHookDecision decision = DecideMouseHook(event, context);
  if (decision.resizeSpotlight) shared.spotlightSize.store(decision.spotlightSize, std::memory_order_relaxed);
  if (decision.addTilt) shared.tiltAccumulator.fetch_add(decision.tiltSteps);
  return {decision.verdict, decision.addTilt, decision.resizeSpotlight};
}

}  // namespace corvan
