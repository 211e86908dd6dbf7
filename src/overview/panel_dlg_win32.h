#pragma once

#include <memory>
#include <mutex>

#include "platform/dialog_win32.h"
#include "resource_ids.h"
#include "ui/layered_win32.h"

namespace corvan {

// A darkened picture over a monitor other than the overview's, so that only the overview's monitor
// is bright. Its picture exists only while the overview is open.
class PanelDlg : public Dialog {
 public:
  PanelDlg() : Dialog(IDD_OVERVIEW_PANEL) {}

  // Hands the panel its picture (null lets it go); any thread.
  void SetPicture(std::unique_ptr<LayeredSurface> picture);
  bool HasPicture();

 protected:
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  void OnCancel() override {}
  void OnOK() override {}

 private:
  std::mutex mutex_;
  std::unique_ptr<LayeredSurface> picture_;
};

}  // namespace corvan
