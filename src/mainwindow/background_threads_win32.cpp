// The main window's background threads. Each blocks on an event while it has nothing to do.
#include "mainwindow/main_window_win32.h"
#include "presenter/cursor_dlg_win32.h"

namespace corvan {
namespace {

constexpr DWORD kFollowerPeriodMs = 30;
constexpr int kOverlayBelowPointer = 50;

}  // namespace

DWORD WINAPI CCorvanAssistantDlg::CursorOverlayFollower(LPVOID param) {
  auto* self = static_cast<CCorvanAssistantDlg*>(param);
  ProgramState& state = self->state_;
  HWND overlay = self->cursorOverlay_ ? self->cursorOverlay_->hwnd() : nullptr;
  while (state.shuttingDown == kRunning) {
    if (state.animationFrame >= kOverlayHiddenFrame) {
      if (overlay && IsWindowVisible(overlay)) ShowWindow(overlay, SW_HIDE);
      // Nothing to animate: sleep until a gesture resets the frame counter.
      WaitForSingleObject(self->followerWake_, INFINITE);
      continue;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (overlay) {
      SetWindowPos(overlay, HWND_TOPMOST, cursor.x, cursor.y + kOverlayBelowPointer, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
      if (!IsWindowVisible(overlay)) ShowWindow(overlay, SW_SHOWNOACTIVATE);
    }
    ++state.animationFrame;
    if (overlay) {
      InvalidateRect(overlay, nullptr, FALSE);
      UpdateWindow(overlay);
    }
    Sleep(kFollowerPeriodMs);
  }
  return 0;
}

DWORD WINAPI CCorvanAssistantDlg::SingleInstanceListener(LPVOID param) {
  auto* self = static_cast<CCorvanAssistantDlg*>(param);
  // The show sequence runs on the window's own thread, so this thread is back waiting at once and
  // a later copy's pulse is never missed.
  while (WaitForSingleObject(self->events_.singleInstance, INFINITE) == WAIT_OBJECT_0) {
    if (self->state_.shuttingDown != kRunning) break;
    PostMessageW(self->hwnd(), kWakeFromSecondCopyMessage, 0, 0);
  }
  self->state_.shuttingDown = kListenerEnded;
  return 0;
}

DWORD WINAPI CCorvanAssistantDlg::CloseWatcher(LPVOID param) {
  auto* self = static_cast<CCorvanAssistantDlg*>(param);
  if (WaitForSingleObject(self->events_.close, INFINITE) != WAIT_OBJECT_0) return 0;
  HWND window = self->hwnd();
  self->receiverLink_->RunCloseSequence(self->state_.assignments, self->state_.shuttingDown,
                                        [window] { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); });
  return 0;
}

}  // namespace corvan
