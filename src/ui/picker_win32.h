#pragma once

#include <atomic>

#include "platform/dialog_win32.h"
#include "resource_ids.h"

namespace corvan {

// The function picker: a pop-up list of catalogue entries, opened to choose a slot's function or
// to run one from a group.
class QxItemList : public Dialog {
 public:
  QxItemList() : Dialog(IDD_PICKER) {}

  void SetGroupMarkerImage(int imageId) { groupMarkerImage_ = imageId; }
  int opacity() const { return opacity_; }
  bool openedForAssignment() const { return openedForAssignment_; }
  // The picker or one of its sub-lists.
  bool OwnsWindow(HWND window) const { return window && window == hwnd(); }
  void ClosePicker() {
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
  }

 private:
  int groupMarkerImage_ = 0;
  std::atomic<int> opacity_{0};
  bool openedForAssignment_ = false;
};

}  // namespace corvan
