#pragma once

#include "platform/dialog_win32.h"
#include "resource_ids.h"

namespace corvan {

// The magnifier window: created hidden and never shown; the picker watch treats it as ours.
class CircleDLG : public Dialog {
 public:
  CircleDLG() : Dialog(IDD_MAGNIFIER) {}
};

}  // namespace corvan
