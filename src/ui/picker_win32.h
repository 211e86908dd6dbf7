#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <optional>
#include <memory>
#include <mutex>
#include <vector>

#include "config/catalogue.h"
#include "core/display_scale.h"
#include "input/routing.h"
#include "platform/animation_thread_win32.h"
#include "platform/dialog_win32.h"
#include "resource_ids.h"
#include "ui/layered_win32.h"
#include "ui/picker.h"
#include "ui/picker_paint.h"

namespace corvan {

// The function picker: a pop-up list of catalogue entries, opened to choose a slot's function
// (assignment) or to run one from a group (quick launch). A group row opens a sub-list beside it.
// The choice goes to the owner as one posted message; closing is the owner's business.
class QxItemList : public Dialog {
 public:
  QxItemList() : Dialog(IDD_PICKER) {}
  ~QxItemList() override;

  void SetGroupMarkerImage(int imageId) { groupMarkerImage_ = imageId; }
  // The whole catalogue (or another list's) is kept; the rows shown are the group's members.
  void Fill(const std::vector<_QxItemListDB>& source, int32_t groupCode);
  // After Fill: the function the edited slot holds, marked with its group; -1 (Fill's) for none.
  void SetCurrent(int32_t functionIndex);
  // Shows the list with its top-left corner at the screen point, moved onto the work area.
  void ShowAt(Point screen, PickerMode mode);
  // Hides the sub-list, then the list, and lets the owner take the foreground back.
  void ClosePicker();

  // The animation thread, or the surface the list is composed on: only while the list is open.
  bool holdsThreadOrPicture() const { return animation_.started() || surface_.dc() != nullptr; }
  int opacity() const { return opacity_; }
  // Opened from the editor: a slot's function or the button order, not a function to run.
  bool openedForAssignment() const { return mode_ != PickerMode::QuickLaunch; }
  PickerMode mode() const { return mode_; }
  // The picker or one of its sub-lists.
  bool OwnsWindow(HWND window) const;

  // For tests: the rows shown, the hovered one, the sub-list, the scrolling.
  const PickerRows& visibleRows() const { return visible_; }
  int32_t hoveredRow() const { return hovered_; }
  QxItemList* subList() const { return subList_.get(); }
  const PickerScroll& scroll() const { return scroll_; }
  int paints() const { return paints_; }

 protected:
  bool PreTranslateMessage(MSG* msg) override;
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  void OnDestroy() override;
  // Closing is the owner's business.
  void OnCancel() override {}
  void OnOK() override {}

 private:
  void HoverRow(int32_t row);
  void OnKey(uint32_t key);
  void ChooseRow(int32_t row);
  void OnPointer(Point client);
  void OnOtherButton(Point client);
  void CloseSubList();
  void StartAnimation();
  void StopAnimation();
  AnimationThread::Next StepScroll();

  int groupMarkerImage_ = 0;
  std::vector<_QxItemListDB> full_;
  PickerRows visible_;
  // The animation thread reads the rows' heights; a refill waits until its step is done.
  std::mutex rowsMutex_;
  int32_t groupShown_ = 0;
  PickerMode mode_ = PickerMode::Editor;
  int32_t side_ = 0;
  // The scale of the monitor the list opened on; the list is laid out at 96 DPI.
  DisplayScale scale_;
  int32_t hovered_ = -1;
  int32_t currentIndex_ = -1;
  int32_t currentGroup_ = 0;
  bool cursorRaised_ = false;
  // A group's list beside the picker. It is never activated: a window manager moves the focus
  // when an active window hides, and the picker would lose it to another program each time the
  // pointer went from one group to the next. Keys reach the lists through the picker.
  bool isSubList_ = false;
  // The picker's keys move in the group's list it opened from the keyboard.
  bool keysInSubList_ = false;
  std::atomic<int> opacity_{0};
  DialogPtr<QxItemList> subList_;
  PickerScroll scroll_;
  LayeredSurface surface_;
  std::atomic<int> paints_{0};

  // The texture and icons, decoded at the first paint of an opening and let go at the close: a
  // sliding list repaints a hundred times a second.
  class DecodedImages final : public ImageLoader {
   public:
    const ArgbImage* Load(int id) override;
    void Clear() { images_.clear(); }
    // The size the icons are decoded at: the double-size ones above 100 %.
    void SetZoom(int32_t zoom);
    int32_t zoom() const override { return zoom_; }

   private:
    std::map<int, std::optional<ArgbImage>> images_;
    int32_t zoom_ = 1;
  };
  DecodedImages images_;

  // Steps the scroll while it moves, woken when the wheel moves the target.
  AnimationThread animation_;
};

}  // namespace corvan
