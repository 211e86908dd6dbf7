#pragma once

#include "platform/dialog_win32.h"
#include "resource_ids.h"

namespace corvan {

// The small layered window that follows the pointer while a gesture animation plays.
class CursorDlg : public Dialog {
 public:
  CursorDlg() : Dialog(IDD_CURSOR_OVERLAY) {}

 protected:
  bool OnEraseBackground(HDC) override { return true; }
};

}  // namespace corvan
