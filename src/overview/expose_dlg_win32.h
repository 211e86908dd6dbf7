#pragma once

#include "platform/dialog_win32.h"
#include "resource_ids.h"

namespace corvan {

// The window overview: created once, hidden, shown over the monitor under the pointer on demand.
class EXPOSE_DLG : public Dialog {
 public:
  EXPOSE_DLG() : Dialog(IDD_OVERVIEW) {}
};

}  // namespace corvan
