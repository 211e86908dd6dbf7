#pragma once

#include <atomic>
#include <vector>

#include "config/catalogue.h"
#include "input/routing.h"

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
  PickerMode mode() const { return mode_; }
  void Fill(std::vector<_QxItemListDB> entries) { entries_ = std::move(entries); }
  // Shows the list with its top-left corner at a screen point.
  void ShowAt(Point screen, PickerMode mode) {
    mode_ = mode;
    openedForAssignment_ = mode == PickerMode::Editor;
    if (!hwnd()) return;
    SetWindowPos(hwnd(), HWND_TOPMOST, screen.x, screen.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    opacity_ = 255;
  }
  void ClosePicker() {
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
  }

 private:
  int groupMarkerImage_ = 0;
  std::atomic<int> opacity_{0};
  bool openedForAssignment_ = false;
  PickerMode mode_ = PickerMode::Editor;
  std::vector<_QxItemListDB> entries_;
};

}  // namespace corvan
