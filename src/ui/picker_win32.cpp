#include "ui/picker_win32.h"

#include <windowsx.h>

#include "platform/display_scale_win32.h"
#include "platform/foreground_win32.h"
#include "platform/monitor_win32.h"
#include "ui/gdiplus_canvas_win32.h"
#include "ui/image_zoom.h"
#include "ui/picker_keys.h"
#include "ui/picker_paint.h"
#include "ui/png_resource_win32.h"

namespace corvan {

static_assert(kDoubleSizeImageOffset == IDB_DOUBLE_SIZE_OFFSET);
namespace {

constexpr DWORD kAnimationStepMs = 10;
constexpr DWORD kAnimationEndWaitMs = 2000;

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Nothing known of the monitor places the list as on an empty one.
MonitorArea AreaUnderPointer() { return MonitorUnderPointer().value_or(MonitorArea{}); }

}  // namespace

QxItemList::~QxItemList() { StopAnimation(); }

void QxItemList::Fill(const std::vector<_QxItemListDB>& source, int32_t groupCode) {
  Catalogue copy;
  copy.entries = source;
  PickerRows members = GroupMembers(copy, groupCode);
  std::lock_guard lock(rowsMutex_);
  full_ = std::move(copy.entries);
  visible_ = std::move(members);
  groupShown_ = groupCode;
  scroll_.Reset();
  currentIndex_ = -1;
  currentGroup_ = 0;
}

void QxItemList::SetCurrent(int32_t functionIndex) {
  currentIndex_ = functionIndex;
  // The whole catalogue's entries stand at their ids.
  const bool known = functionIndex >= 0 && functionIndex < static_cast<int32_t>(full_.size());
  currentGroup_ = known ? full_[static_cast<size_t>(functionIndex)].parent : 0;
}

void QxItemList::ShowAt(Point screen, PickerMode mode) {
  mode_ = mode;
  CloseSubList();
  if (!hwnd()) return;
  // The pointer is shown while the list is open, and hidden again on close if it was hidden.
  if (ShowCursor(TRUE) > 0) {
    ShowCursor(FALSE);
    cursorRaised_ = false;
  } else {
    cursorRaised_ = true;
  }
  hovered_ = -1;
  scroll_.Reset();
  opacity_ = mode == PickerMode::QuickLaunch ? 255 : 0;
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  const LONG_PTR wanted = exStyle | WS_EX_LAYERED | (isSubList_ ? WS_EX_NOACTIVATE : 0);
  if (wanted != exStyle) SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, wanted);
  StartAnimation();

  // The list takes the scale of the monitor it opens on.
  scale_ = ScaleAt(POINT{screen.x, screen.y});
  images_.SetZoom(ImageZoomFor(scale_, kIconZooms));
  const PickerPlacement place = PlacementAtScale(
      PlacePicker(scale_.Base(screen), visible_, scale_.Base(ToRect(AreaUnderPointer().work))), scale_);
  SetWindowPos(hwnd(), HWND_TOPMOST, place.x, place.y, place.width, place.height, SWP_NOACTIVATE);
  BringWindowToTop(hwnd());
  opacity_ = 255;
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ShowWindow(hwnd(), isSubList_ ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

const ArgbImage* QxItemList::DecodedImages::Load(int id) {
  auto found = images_.find(id);
  if (found == images_.end()) {
    // Every picture the list shows comes at both sizes.
    std::optional<ArgbImage> image = LoadPngResource(ImageIdAtZoom(id, zoom_));
    found = images_.emplace(id, std::move(image)).first;
  }
  return found->second ? &*found->second : nullptr;
}

void QxItemList::DecodedImages::SetZoom(int32_t zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  images_.clear();
}

void QxItemList::ClosePicker() {
  // A closed list keeps neither its animation thread nor its pictures.
  StopAnimation();
  images_.Clear();
  surface_.Release();
  if (cursorRaised_) {
    ShowCursor(FALSE);
    cursorRaised_ = false;
  }
  CloseSubList();
  if (!hwnd()) return;
  ShowWindow(hwnd(), SW_HIDE);
  // Lets the owner take the foreground back from the list.
  if (HWND owner = GetWindow(hwnd(), GW_OWNER)) AllowForegroundTo(owner);
}

bool QxItemList::OwnsWindow(HWND window) const {
  if (!window) return false;
  if (window == hwnd()) return true;
  return subList_ && subList_->OwnsWindow(window);
}

void QxItemList::CloseSubList() {
  keysInSubList_ = false;
  if (subList_) subList_->ClosePicker();
}

void QxItemList::ChooseRow(int32_t row) {
  PostMessageW(GetWindow(hwnd(), GW_OWNER), kPickerChoiceMessage, static_cast<WPARAM>(visible_[static_cast<size_t>(row)].index),
               ChoiceKind(mode_));
}

void QxItemList::OnKey(uint32_t key) {
  QxItemList& list = keysInSubList_ && subList_ && subList_->IsVisible() ? *subList_ : *this;
  const PickerKeyOutcome outcome = PickerKey(key, list.visible_, list.hovered_, &list != this);
  switch (outcome.kind) {
    case PickerKeyOutcome::Kind::Hover:
      // The picker's own rows behave as under the pointer: a group opens its list beside it.
      list.HoverRow(outcome.row);
      break;
    case PickerKeyOutcome::Kind::OpenGroup:
      if (!subList_ || !subList_->IsVisible() || hovered_ != outcome.row) HoverRow(outcome.row);
      if (subList_ && subList_->IsVisible()) {
        keysInSubList_ = true;
        const PickerKeyOutcome first = PickerKey(kPickerKeyDown, subList_->visible_, -1, true);
        if (first.kind == PickerKeyOutcome::Kind::Hover) subList_->HoverRow(first.row);
      }
      break;
    case PickerKeyOutcome::Kind::Choose:
      list.ChooseRow(outcome.row);
      break;
    case PickerKeyOutcome::Kind::LeaveSubList:
      CloseSubList();
      break;
    case PickerKeyOutcome::Kind::Nothing:
      break;
  }
}

void QxItemList::HoverRow(int32_t row) {
  hovered_ = row;
  InvalidateRect(hwnd(), nullptr, FALSE);
  if (!isSubList_ && GetForegroundWindow() != hwnd()) SetForegroundWindow(hwnd());
  CloseSubList();
  if (row < 0 || row >= static_cast<int32_t>(visible_.size())) return;
  const _QxItemListDB& entry = visible_[static_cast<size_t>(row)];
  if (entry.kind != kKindGroup) return;

  if (!subList_) {
    subList_ = MakeDialog<QxItemList>();
    subList_->isSubList_ = true;
    subList_->SetGroupMarkerImage(groupMarkerImage_);
    if (!subList_->Create(hwnd())) {
      subList_.reset();
      return;
    }
  }
  subList_->mode_ = mode_;
  RECT window{};
  GetWindowRect(hwnd(), &window);
  const SubListPlacement place = PlaceSubList(scale_.Base(ToRect(window)), groupShown_ != 0, side_,
                                              scale_.Base(ToRect(AreaUnderPointer().whole)), visible_,
                                              scroll_.firstRow(), row);
  subList_->side_ = place.side;
  subList_->Fill(full_, entry.code);
  subList_->currentIndex_ = currentIndex_;
  subList_->currentGroup_ = currentGroup_;
  subList_->ShowAt(scale_.Px(place.topLeft), mode_);
}

void QxItemList::OnPointer(Point client) {
  RECT rect{};
  GetClientRect(hwnd(), &rect);
  const int32_t row = PickerHitRow(visible_, scroll_.firstRow(), scale_.Base(client), scale_.Base(rect.right),
                                   scale_.Base(rect.bottom));
  if (row >= 0 && row != hovered_) HoverRow(row);
}

void QxItemList::OnOtherButton(Point client) {
  if (subList_) {
    CloseSubList();
    hovered_ = -1;
  }
  OnPointer(client);
}

bool QxItemList::PreTranslateMessage(MSG* msg) {
  if (msg->hwnd == hwnd()) {
    const Point client{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
    switch (msg->message) {
      case WM_MOUSEMOVE:
        OnPointer(client);
        break;
      case WM_LBUTTONUP:
        if (hovered_ >= 0 && hovered_ < static_cast<int32_t>(visible_.size()) &&
            visible_[static_cast<size_t>(hovered_)].kind == kKindItem) {
          ChooseRow(hovered_);
        } else {
          OnOtherButton(client);
        }
        break;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
        OnOtherButton(client);
        break;
      case WM_MOUSEWHEEL: {
        RECT rect{};
        GetClientRect(hwnd(), &rect);
        if (scroll_.OnWheel(GET_WHEEL_DELTA_WPARAM(msg->wParam), visible_, scale_.Base(rect.bottom))) {
          InvalidateRect(hwnd(), nullptr, FALSE);
          animation_.Wake();
        }
        break;
      }
      default:
        break;
    }
  }
  // The picker takes the keys of its lists too: a group's list is not activated, but the system
  // may still give it the keyboard. They go on to the owner, whose Esc closes the picker.
  if (!isSubList_ && msg->message == WM_KEYDOWN && OwnsWindow(msg->hwnd)) OnKey(static_cast<uint32_t>(msg->wParam));
  return false;
}

std::optional<LRESULT> QxItemList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A sub-list's choice goes on to whoever owns this list, unchanged.
  if (message == kPickerChoiceMessage) {
    PostMessageW(GetWindow(hwnd(), GW_OWNER), message, wParam, lParam);
    return 0;
  }
  if (message == WM_MOUSEACTIVATE && isSubList_) return MA_NOACTIVATE;
  return Dialog::WindowProc(message, wParam, lParam);
}

bool QxItemList::OnPaint() {
  PAINTSTRUCT paint{};
  BeginPaint(hwnd(), &paint);
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (surface_.Prepare(client.right + 1, client.bottom + 1)) {
    {
      GdiplusCanvas canvas(surface_.bits(), surface_.width(), surface_.height(), surface_.strideBytes());
      // Painted at 96 DPI through the scale, on a surface of the window's own pixels.
      if (!scale_.IsBase()) canvas.Scale(scale_.Factor());
      PaintPicker(canvas,
                  {&visible_, full_.empty(), scroll_.firstRow(), scroll_.offset(), hovered_, groupMarkerImage_,
                   scale_.Base(surface_.width()), scale_.Base(surface_.height()), currentIndex_, currentGroup_},
                  images_);
      canvas.Flush();
    }
    PresentLayered(hwnd(), surface_, static_cast<uint8_t>(opacity_.load()));
  }
  ++paints_;
  EndPaint(hwnd(), &paint);
  return true;
}

void QxItemList::OnDestroy() {
  if (subList_ && subList_->hwnd()) DestroyWindow(subList_->hwnd());
  StopAnimation();
  std::lock_guard lock(rowsMutex_);
  full_.clear();
  visible_.clear();
}

void QxItemList::StartAnimation() {
  if (animation_.started()) return;
  animation_.Start({.stepMs = kAnimationStepMs}, [this] { return StepScroll(); });
}

void QxItemList::StopAnimation() { animation_.Stop(kAnimationEndWaitMs); }

AnimationThread::Next QxItemList::StepScroll() {
  if (scroll_.AtRest()) return AnimationThread::Next::Rest;
  bool moved = false;
  {
    std::lock_guard lock(rowsMutex_);
    moved = scroll_.Step(visible_);
  }
  if (moved) InvalidateRect(hwnd(), nullptr, FALSE);
  return AnimationThread::Next::Step;
}

}  // namespace corvan
