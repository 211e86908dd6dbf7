#pragma once

#include <cstdint>

namespace corvan {

// The program's own window messages, all in one place so that no two share a number. They start
// at the platform's first number free for applications (0x8000).
inline constexpr uint32_t kFirstProgramMessage = 0x8000;

// The main window.
// Posted by the single-instance listener when a later copy asks for the window.
inline constexpr uint32_t kWakeFromSecondCopyMessage = kFirstProgramMessage + 1;
// Posted when the close watcher begins its sequence.
inline constexpr uint32_t kCloseStartedMessage = kFirstProgramMessage + 2;
// Posted to itself at the end of its creation: the rest of the initialisation runs once the window
// is up.
inline constexpr uint32_t kInitAfterShowMessage = kFirstProgramMessage + 3;

// The low-level hooks' thread is asked these; it sets its answer event once it has done it.
inline constexpr uint32_t kReinstallMouseHookMessage = kFirstProgramMessage + 0x40;
inline constexpr uint32_t kKeyboardHookMessage = kFirstProgramMessage + 0x41;  // wParam: 1 install, 0 remove
// Posted by the keyboard hook to the hooks' owner: Esc was pressed while a presenter mode was on.
inline constexpr uint32_t kLeaveBoardMessage = kFirstProgramMessage + 0x42;

// The overview.
// Sent by an opening's thread: the panels it needs must exist, and windows belong to the window's
// thread.
inline constexpr uint32_t kEnsurePanelsMessage = kFirstProgramMessage + 0x150;
// Posted by an opening's thread once the overview has closed; wParam: the opening's number.
inline constexpr uint32_t kOverviewClosedMessage = kFirstProgramMessage + 0x151;
// Posted by an opening's thread once the desktop behind the overview is captured; wParam: the
// opening's number.
inline constexpr uint32_t kOverviewDesktopCapturedMessage = kFirstProgramMessage + 0x152;
// Posted by an opening's thread as its last step.
inline constexpr uint32_t kOverviewThreadEndedMessage = kFirstProgramMessage + 0x153;

// The presenter board.
inline constexpr uint32_t kSnapFileWrittenMessage = kFirstProgramMessage + 0x316;
inline constexpr uint32_t kPresentChangesMessage = kFirstProgramMessage + 0x317;
// Posted by the mouse hook after it resized the spotlight: the board draws the new size at once.
inline constexpr uint32_t kSpotlightResizedMessage = kFirstProgramMessage + 0x318;

}  // namespace corvan
