#pragma once

#include <atomic>

#include "platform/dialog_win32.h"
#include "resource_ids.h"

namespace corvan {

// The presenter board over the monitor under the pointer (highlighter, snaps, spotlight).
class BoardDlg : public Dialog {
 public:
  BoardDlg() : Dialog(IDD_PRESENTER_BOARD) {}

  // Whether the board is on the screen, kept as a plain value for the mouse hook, which must not
  // ask the system on every mouse event.
  const std::atomic<bool>& shownFlag() const { return shown_; }

 protected:
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_WINDOWPOSCHANGED) {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (position->flags & SWP_SHOWWINDOW) shown_ = true;
      if (position->flags & SWP_HIDEWINDOW) shown_ = false;
    }
    return Dialog::WindowProc(message, wParam, lParam);
  }

 private:
  std::atomic<bool> shown_{false};
};

}  // namespace corvan
