#include "presenter/board_dlg_win32.h"

#include <cstring>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/program_messages.h"
#include "platform/monitor_win32.h"
#include "ui/tip_win32.h"

namespace corvan {
namespace {

constexpr UINT_PTR kClipboardRetryTimer = 1;
// Another program (a clipboard viewer, a remote desktop) may hold the clipboard for a moment: the
// copy is tried again, without blocking the window, before it is reported as failed.
constexpr UINT kClipboardRetryMs = 50;
constexpr int kClipboardTries = 20;
constexpr int kModeTipMs = 800;
constexpr int kSnapTipMs = 500;
constexpr int kTipTextSize = 20;
constexpr wchar_t kHighlighterTip[] = L"Highlighter mode";
constexpr wchar_t kSnapModeTip[] = L"Screen snap mode";
constexpr wchar_t kTipSeparator[] = L" - ";
constexpr wchar_t kSavedToTip[] = L"Save to ";
constexpr wchar_t kNotSavedToTip[] = L"Could not save to ";

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
  reinterpret_cast<std::vector<Rect>*>(list)->push_back(ToRect(*area));
  return TRUE;
}

// Copies the screen's area into the image (which has the area's size), opaque. The copy goes
// through a DIB section: a device-dependent bitmap of a monitor's size is memory the system may
// keep after it is freed.
bool CaptureScreen(const RECT& area, ArgbImage& image) {
  LayeredSurface surface;
  if (!surface.Prepare(image.width(), image.height())) return false;
  if (!CopyScreenOpaque(area.left, area.top, surface, true)) return false;
  const size_t rowBytes = static_cast<size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(image.Row(y), surface.bits() + static_cast<size_t>(y) * surface.strideBytes(), rowBytes);
  }
  return true;
}

}  // namespace

BoardDlg::BoardDlg(std::atomic<int32_t>& mode, const std::atomic<int32_t>& spotlightSize)
    : Dialog(IDD_PRESENTER_BOARD), mode_(mode), spotlightSize_(spotlightSize) {}

BoardDlg::~BoardDlg() {
  // Files still being written finish before the window they report to goes.
  writer_.reset();
}

BOOL BoardDlg::OnInitDialog() {
  const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  if (!(style & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, style | WS_EX_LAYERED);
  writer_ = std::make_unique<SnapFileWriter>(hwnd(), kSnapFileWrittenMessage);
  return TRUE;
}

void BoardDlg::OnDestroy() {
  // The pointer is given back when the program ends with a mode on.
  if (state_.mode() != kBoardOff) TurnOff();
}

std::optional<LRESULT> BoardDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (position->flags & SWP_SHOWWINDOW) shown_ = true;
      if (position->flags & SWP_HIDEWINDOW) shown_ = false;
      break;
    }
    case kSnapFileWrittenMessage:
      OnSnapFileWritten(lParam);
      return 0;
    case kPresentChangesMessage:
      presentPosted_ = false;
      PresentChanges();
      return 0;
    case kSpotlightResizedMessage:
      state_.OnSpotlightResized(PointerInClient(), spotlightSize_.load(std::memory_order_relaxed), *this);
      return 0;
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      break;
    case WM_MOUSEACTIVATE:
      if (state_.mode() == kBoardSpotlight) return MA_NOACTIVATE;
      break;
    default:
      break;
  }
  return Dialog::WindowProc(message, wParam, lParam);
}

void BoardDlg::Toggle(int32_t mode) {
  if (state_.mode() != kBoardOff) {
    TurnOff();
    return;
  }
  if (mode == kBoardOff || !Prepare(mode)) return;
  mode_ = mode;
  ShowBoard();
  if (mode == kBoardHighlighter) {
    ShowCursor(FALSE);
    cursorHiddenByBoard_ = true;
  }
  RECT r{};
  GetWindowRect(hwnd(), &r);
  // The spotlight shows the live screen to an audience: no tip crosses it.
  if (mode != kBoardSpotlight) {
    const wchar_t* modeName = mode == kBoardHighlighter ? kHighlighterTip : kSnapModeTip;
    ShowFunctionTip(modeName + std::wstring(kTipSeparator) + leaveHint_, BoardCentre(), kModeTipMs, kTipTextSize);
  }
  ClipCursor(&r);
}

bool BoardDlg::Prepare(int32_t mode) {
  POINT cursor{};
  GetCursorPos(&cursor);
  const std::optional<MonitorArea> area = MonitorAt(cursor);
  if (!area) return false;
  monitor_ = area->whole;
  const int w = monitor_.right - monitor_.left, h = monitor_.bottom - monitor_.top;
  // One pixel narrower than the monitor.
  const int boardWidth = w - 1;
  if (boardWidth <= 0 || h <= 0) return false;
  try {
    // The spotlight shows the live screen: it needs no picture. Only the highlighter draws ink.
    if (mode != kBoardSpotlight) capture_ = ArgbImage(w, h);
    if (mode == kBoardHighlighter) ink_ = InkLayer(w, h);
    frame_ = std::make_unique<LayeredSurface>();
  } catch (const std::bad_alloc&) {
    ReleaseLayers();
    return false;
  }
  if (!frame_->Prepare(boardWidth, h) || (mode != kBoardSpotlight && !CaptureScreen(monitor_, capture_))) {
    ReleaseLayers();
    return false;
  }
  state_.Start(mode, boardWidth, h, {cursor.x - monitor_.left, cursor.y - monitor_.top},
               spotlightSize_.load(std::memory_order_relaxed));
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  const LONG_PTR wanted = mode == kBoardSpotlight ? exStyle | WS_EX_NOACTIVATE : exStyle & ~WS_EX_NOACTIVATE;
  if (wanted != exStyle) SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, wanted);
  SetWindowPos(hwnd(), HWND_TOPMOST, monitor_.left, monitor_.top, boardWidth, h, SWP_NOACTIVATE);
  dirty_ = {};
  Present({0, 0, boardWidth, h});
  return true;
}

void BoardDlg::TurnOff() {
  const int32_t was = state_.mode();
  ClipCursor(nullptr);
  ShowWindow(hwnd(), SW_HIDE);
  if (was == kBoardHighlighter && cursorHiddenByBoard_) ShowCursor(TRUE);
  cursorHiddenByBoard_ = false;
  state_.Stop();
  mode_ = kBoardOff;
  ReleaseLayers();
}

void BoardDlg::ReleaseLayers() {
  capture_ = ArgbImage();
  ink_ = InkLayer();
  frame_.reset();
  dirty_ = {};
}

Point BoardDlg::PointerInClient() const {
  POINT cursor{};
  GetCursorPos(&cursor);
  return {cursor.x - monitor_.left, cursor.y - monitor_.top};
}

POINT BoardDlg::BoardCentre() const {
  RECT r{};
  GetWindowRect(hwnd(), &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void BoardDlg::OnRawMouse(const RawMouse& input) {
  // Nearly every input arrives with the board off: nothing to ask the system then.
  if (state_.mode() == kBoardOff && !shown_) return;
  state_.OnRawMouse(input, PointerInClient(), IsVisible(), spotlightSize_.load(std::memory_order_relaxed), *this);
}

// The spotlight shows the live screen to an audience: the presentation under it keeps the
// keyboard, so a clicker's keys still turn its pages. The other modes freeze the picture and take
// the input themselves.
void BoardDlg::Raise() {
  if (!hwnd()) return;
  const UINT activation = state_.mode() == kBoardSpotlight ? SWP_NOACTIVATE : 0;
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | activation);
}

void BoardDlg::ShowBoard() { ShowWindow(hwnd(), state_.mode() == kBoardSpotlight ? SW_SHOWNOACTIVATE : SW_SHOW); }

void BoardDlg::HideBoard() { ShowWindow(hwnd(), SW_HIDE); }

void BoardDlg::ClearBoard() {
  if (!ink_.empty()) ink_.Clear();
  Invalidate({0, 0, state_.width(), state_.height()});
}

void BoardDlg::PaintInk(Point from, Point to, int colorIndex) {
  if (ink_.empty()) return;
  Invalidate(ink_.Paint(from, to, Premultiply(kInkColours[colorIndex]), kInkPenWidth));
}

void BoardDlg::Invalidate(const Rect& area) {
  const Rect clipped = Intersect(area, {0, 0, state_.width(), state_.height()});
  if (IsEmpty(clipped)) return;
  dirty_ = Union(dirty_, clipped);
  // A message of our own rather than the window's update region: Wine can drop the update region
  // of a layered window while another window hides, and the change would then never show. One
  // message stands for every change made before it is handled.
  if (!presentPosted_) presentPosted_ = PostMessageW(hwnd(), kPresentChangesMessage, 0, 0) != FALSE;
}

void BoardDlg::PresentChanges() {
  if (frame_ && !IsEmpty(dirty_)) {
    const Rect dirty = dirty_;
    dirty_ = {};
    Present(dirty);
  }
}

bool BoardDlg::OnPaint() {
  // The layered window keeps its picture: a paint only presents what changed, if anything.
  PAINTSTRUCT paint;
  BeginPaint(hwnd(), &paint);
  EndPaint(hwnd(), &paint);
  PresentChanges();
  return true;
}

void BoardDlg::Present(const Rect& dirty) {
  if (!frame_ || !frame_->dc()) return;
  const Point pointer = PointerInClient();
  PolygonSpans spotlight;
  if (state_.mode() == kBoardSpotlight) {
    spotlight = SpotlightSpans(pointer, spotlightSize_.load(std::memory_order_relaxed), state_.width(), state_.height());
  }
  const BoardOverlay overlay = state_.Overlay(pointer, false, &spotlight);
  const PixelTarget target{frame_->bits(), frame_->width(), frame_->height(), frame_->strideBytes()};
  const bool withPicture = !capture_.empty();
  ComposeBoard(target, dirty, withPicture ? &capture_ : nullptr, ink_.empty() ? nullptr : &ink_, overlay);

  GdiFlush();
  POINT position{monitor_.left, monitor_.top};
  SIZE size{frame_->width(), frame_->height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const RECT changed{dirty.left, dirty.top, dirty.right, dirty.bottom};
  UPDATELAYEREDWINDOWINFO update{};
  update.cbSize = sizeof(update);
  update.pptDst = &position;
  update.psize = &size;
  update.hdcSrc = frame_->dc();
  update.pptSrc = &source;
  update.pblend = &blend;
  update.dwFlags = ULW_ALPHA;
  update.prcDirty = &changed;
  // Only the changed rectangle travels to the screen; should the system refuse that, the whole frame.
  if (!UpdateLayeredWindowIndirect(hwnd(), &update)) {
    update.prcDirty = nullptr;
    UpdateLayeredWindowIndirect(hwnd(), &update);
  }
}

bool BoardDlg::OnSetCursor(HWND, UINT, UINT) {
  const int32_t mode = state_.mode();
  if (mode != kBoardSnapFreeForm && mode != kBoardSnapRectangle && mode != kBoardSpotlight) return false;
  SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_PENCIL_CURSOR)));
  return true;
}

void BoardDlg::WriteSnap(SnapTarget target) {
  // The finished selection shows before the clipboard and the tip take their time.
  PresentChanges();
  const Rect region = SnapRegion(state_.mode(), state_.width(), state_.height(), state_.hasSelection(),
                                 state_.selectionBounds());
  const POINT centre = BoardCentre();
  if (capture_.empty() || IsEmpty(region)) return;
  const PolygonSpans* lasso = nullptr;
  PolygonSpans open;
  if (state_.mode() == kBoardSnapFreeForm && state_.hasSelection()) {
    // A lasso still being drawn is closed back to its start for the snap.
    if (state_.drawing()) open = PolygonSpans(state_.lasso(), state_.width(), state_.height());
    lasso = state_.drawing() ? &open : &state_.lassoSpans();
  }
  const std::wstring where = target == SnapTarget::Clipboard ? L"Clipboard" : kSnapFolderName;
  // A monitor-sized snap needs as much memory again; without it the snap fails and says so.
  try {
    ArgbImage image = BuildSnapImage(capture_, ink_.pixels(), region, lasso);
    if (target == SnapTarget::Clipboard) {
      pendingDib_ = MakeClipboardDib(image);
      clipboardTries_ = 0;
      clipboardTipAt_ = centre;
      KillTimer(hwnd(), kClipboardRetryTimer);
      TryClipboard();
    } else if (writer_) {
      writer_->Write(std::move(image), DesktopSnapFolder(), SnapStemNow(), centre);
    }
  } catch (const std::bad_alloc&) {
    ShowFunctionTip(kNotSavedToTip + where, centre, kSnapTipMs, kTipTextSize);
  }
}

void BoardDlg::TryClipboard() {
  const bool placed = PutDibOnClipboard(hwnd(), pendingDib_);
  if (!placed && ++clipboardTries_ < kClipboardTries) {
    SetTimer(hwnd(), kClipboardRetryTimer, kClipboardRetryMs, nullptr);
    return;
  }
  pendingDib_ = {};
  ShowFunctionTip(placed ? copiedToClipboard_ : std::wstring(kNotSavedToTip) + L"Clipboard", clipboardTipAt_, kSnapTipMs,
                  kTipTextSize);
}

void BoardDlg::OnTimer(UINT_PTR id) {
  if (id != kClipboardRetryTimer) return;
  KillTimer(hwnd(), kClipboardRetryTimer);
  if (!pendingDib_.empty()) TryClipboard();
}

void BoardDlg::OnSnapFileWritten(LPARAM lParam) {
  const std::unique_ptr<SnapFileResult> result = SnapFileWriter::TakeResult(lParam);
  if (!result) return;
  const std::wstring text = (result->written ? kSavedToTip : kNotSavedToTip) + result->name;
  ShowFunctionTip(text, result->tipAt, kSnapTipMs, kTipTextSize);
}

void BoardDlg::OnDisplayChange() {
  if (state_.mode() == kBoardOff) return;
  std::vector<Rect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  // The picture and the board were made for a monitor that is gone or changed: the mode ends.
  if (!BoardMonitorStillThere(ToRect(monitor_), monitors)) TurnOff();
}

}  // namespace corvan
