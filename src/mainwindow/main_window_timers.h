#pragma once

#include <cstdint>

namespace corvan {

// Timers of the main window (ids are per window).
inline constexpr uint32_t kTimerRepaintWhenVisible = 1;  // 2 ms: first paint once the window shows
inline constexpr uint32_t kTimerStartHidden = 11;        // 100 ms until the window has shown once
inline constexpr uint32_t kTimerForeground = 111;        // one-shot, 800 ms or 300 ms
inline constexpr uint32_t kTimerTrayMenu = 202;          // one-shot, 500 ms (left click) or 10 ms (right)
inline constexpr uint32_t kTimerShowSequence = 901;      // steps of a second copy's wake-up
inline constexpr uint32_t kTimerCloseBound = 902;        // one-shot: the close sequence ran too long

inline constexpr uint32_t kRepaintWhenVisiblePeriodMs = 2;
inline constexpr uint32_t kStartHiddenPeriodMs = 100;
inline constexpr uint32_t kForegroundAfterHideMs = 800;
inline constexpr uint32_t kForegroundAfterActionMs = 300;

}  // namespace corvan
