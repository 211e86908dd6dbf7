#pragma once

#include <atomic>
#include <cstdint>

#include "platform/dialog_win32.h"
#include "resource_ids.h"
#include "ui/layered_win32.h"

namespace corvan {

// The small layered window that follows the pointer while a gesture animation plays. The follower
// thread moves it and counts the frames; its paint shows the frame for the count.
// The overlay's size at 96 DPI; it takes the scale of the monitor under the pointer.
inline constexpr int kCursorOverlaySize = 32;

class CursorDlg : public Dialog {
 public:
  // direction: 0 up, 1 down, 2 left, 3 right; counter: the follower's animation count.
  CursorDlg(const std::atomic<int32_t>& direction, const std::atomic<int32_t>& counter)
      : Dialog(IDD_CURSOR_OVERLAY), direction_(direction), counter_(counter) {}

  // Created hidden, 32 x 32, layered and transparent to the pointer, out of the task switcher.
  bool CreateOverlay();

  // How many paints there were, and how many of them put a frame on the screen (for tests).
  int paints() const { return paints_; }
  int framesPresented() const { return framesPresented_; }

 protected:
  bool OnEraseBackground(HDC) override { return true; }
  bool OnPaint() override;

 private:
  const std::atomic<int32_t>& direction_;
  const std::atomic<int32_t>& counter_;
  LayeredSurface surface_;
  std::atomic<int> paints_{0};
  std::atomic<int> framesPresented_{0};
};

}  // namespace corvan
