#pragma once

#include "platform/dialog_win32.h"
#include "resource_ids.h"

namespace corvan {

// The presenter board over the monitor under the pointer (highlighter, snaps, spotlight).
class BoardDlg : public Dialog {
 public:
  BoardDlg() : Dialog(IDD_PRESENTER_BOARD) {}
};

}  // namespace corvan
