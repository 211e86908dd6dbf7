// The overview window's own side: creation, input, selection, painting and the grow and shrink
// animation. Decisions are made by the portable overview files; this file only translates.
#include "overview/expose_dlg_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "core/program_messages.h"
#include "overview/overview_paint.h"
#include "overview/selection_keys.h"
#include "overview/snapshot_rules.h"
#include "overview/window_filter.h"
#include "platform/display_scale_win32.h"
#include "platform/raw_input_win32.h"
#include "platform/windows_version_win32.h"
#include "ui/gdiplus_canvas_win32.h"

namespace corvan {
namespace {

constexpr DWORD kAnimationStepMs = 5;
constexpr DWORD kThreadEndWaitMs = 2000;
constexpr int32_t kFrameReach = 8;

// Waits for a thread while answering the calls other threads make on this thread's windows, so a
// thread that is in such a call can end.
bool WaitAnswering(HANDLE thread, DWORD boundMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= boundMs) return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    const DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, boundMs - elapsed, QS_SENDMESSAGE);
    if (woke == WAIT_OBJECT_0) return true;
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

// The window icons of the badges, drawn straight onto the back buffer between canvas steps.
class BackBufferIcons final : public OverviewIcons {
 public:
  BackBufferIcons(GdiplusCanvas& canvas, HDC dc, std::vector<HICON> icons)
      : canvas_(canvas), dc_(dc), icons_(std::move(icons)) {}
  bool HasIcon(int32_t index) override {
    return index >= 0 && static_cast<size_t>(index) < icons_.size() && icons_[static_cast<size_t>(index)];
  }
  void DrawIcon(int32_t index, Point topLeft) override {
    canvas_.Flush();
    ::DrawIcon(dc_, topLeft.x, topLeft.y, icons_[static_cast<size_t>(index)]);
    GdiFlush();
  }

 private:
  GdiplusCanvas& canvas_;
  HDC dc_;
  std::vector<HICON> icons_;
};

}  // namespace

EXPOSE_DLG::~EXPOSE_DLG() {
  // The window goes after this body: the opening's threads end first.
  OnDestroy();
  // A thread that did not end in time may still call into the thumbnail library: it stays loaded.
  if (runThread_ || animationThread_.started()) static_cast<void>(dwm_.release());
}

BOOL EXPOSE_DLG::OnInitDialog() {
  decision_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (const std::optional<WindowsVersion> version = TrueWindowsVersion()) {
    printFlags_ = SnapshotPrintFlags(version->major, version->minor);
    // The desktop window renders itself into a picture from version 6 on; before, the screen is copied.
    desktopRendersItself_ = version->major > 5;
  }
  if (!dwm_) dwm_ = LoadSystemThumbnails();

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (toolTip_) {
    SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SetWindowTextW(hwnd(), kOverviewTitle);
  return TRUE;
}

void EXPOSE_DLG::OnDestroy() {
  ending_ = true;
  if (runThread_) {
    RequestClose(false, -1);
    if (WaitAnswering(runThread_, kThreadEndWaitMs)) {
      CloseHandle(runThread_);
      runThread_ = nullptr;
    }
  }
  ListenToKeyboard(false);
  for (auto& panel : panels_) panel.reset();
  // A thread that did not end in time keeps the event it waits on.
  if (decision_ && !runThread_) {
    CloseHandle(decision_);
    decision_ = nullptr;
  }
}

void EXPOSE_DLG::CreatePanels(size_t count) {
  // Made on the first opening that needs them and kept: most desktops have one monitor, and
  // windows that are never shown still cost their share of every broadcast.
  for (size_t k = 0; k < count && k < panels_.size(); ++k) {
    if (panels_[k]) continue;
    panels_[k] = std::make_unique<PanelDlg>();
    if (!panels_[k]->Create(nullptr)) panels_[k].reset();
  }
}

void EXPOSE_DLG::EnsurePanels(size_t count) {
  if (count > 0) SendMessageW(hwnd(), kEnsurePanelsMessage, count, 0);
}

bool EXPOSE_DLG::Open(std::atomic<int32_t>& busy, std::function<void()> onDesktopCaptured) {
  if (!hwnd() || !decision_ || ending_) return false;
  if (runThread_ && WaitForSingleObject(runThread_, 0) != WAIT_OBJECT_0) {
    // The last opening is hiding the overview and activating its window: it ends on its own in a
    // moment, and this one follows. Its thread may wait for this window's thread, so no waiting here.
    pendingOpening_ = PendingOpening{&busy, std::move(onDesktopCaptured)};
    return true;
  }
  return StartOpening(busy, std::move(onDesktopCaptured));
}

bool EXPOSE_DLG::StartOpening(std::atomic<int32_t>& busy, std::function<void()> onDesktopCaptured) {
  pendingOpening_.reset();
  if (runThread_) {
    CloseHandle(runThread_);
    runThread_ = nullptr;
  }
  busy_ = &busy;
  ++opening_;
  onDesktopCaptured_ = std::move(onDesktopCaptured);
  ListenToKeyboard(true);
  runThread_ = CreateThread(nullptr, 0, RunExposeMain, this, 0, nullptr);
  if (!runThread_) ListenToKeyboard(false);
  return runThread_ != nullptr;
}

// Keys reach the overview as raw input even while another window keeps the keyboard focus. Only
// while it is open: every keystroke of the session would wake the program otherwise.
void EXPOSE_DLG::ListenToKeyboard(bool on) {
  if (on == keyboardRegistered_) return;
  RAWINPUTDEVICE keyboard{1, 6, on ? static_cast<DWORD>(RIDEV_INPUTSINK) : static_cast<DWORD>(RIDEV_REMOVE),
                          on ? hwnd() : nullptr};
  const bool done = RegisterRawInputDevices(&keyboard, 1, sizeof(keyboard)) != FALSE;
  keyboardRegistered_ = on ? done : false;
}

bool EXPOSE_DLG::running() { return runThread_ && WaitForSingleObject(runThread_, 0) == WAIT_TIMEOUT; }

int32_t EXPOSE_DLG::selected() {
  std::lock_guard lock(itemsMutex_);
  return animation_.selected();
}

std::vector<HWND> EXPOSE_DLG::listedWindows() {
  std::lock_guard lock(itemsMutex_);
  std::vector<HWND> windows;
  for (const Item& item : items_) windows.push_back(item.window);
  return windows;
}

std::vector<Rect> EXPOSE_DLG::shownRects() {
  std::lock_guard lock(itemsMutex_);
  return animation_.shownRects();
}

std::vector<Rect> EXPOSE_DLG::restingRects() {
  std::lock_guard lock(itemsMutex_);
  std::vector<Rect> targets;
  for (const Item& item : items_) targets.push_back(item.target);
  return targets;
}

bool EXPOSE_DLG::holdsPictures() {
  std::lock_guard lock(itemsMutex_);
  bool panels = false;
  for (auto& panel : panels_) panels = panels || (panel && panel->HasPicture());
  return backdrop_ || backBuffer_ || panels;
}

// ---- Input -------------------------------------------------------------------------------------

bool EXPOSE_DLG::PreTranslateMessage(MSG* msg) {
  if (toolTip_ && msg->hwnd == hwnd()) {
    if (stage_ == Stage::LaidOut && hovered_ != -1) {
      SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
      SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    } else {
      SendMessageW(toolTip_, TTM_ACTIVATE, FALSE, 0);
    }
  }
  return false;
}

std::optional<LRESULT> EXPOSE_DLG::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INPUT:
      OnKeyboardInput(reinterpret_cast<HRAWINPUT>(lParam));
      return std::nullopt;
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return std::nullopt;
    case kEnsurePanelsMessage:
      CreatePanels(static_cast<size_t>(wParam));
      return 0;
    case kOverviewDesktopCapturedMessage:
      if (static_cast<uint32_t>(wParam) == opening_ && onDesktopCaptured_) std::exchange(onDesktopCaptured_, {})();
      return 0;
    case kOverviewThreadEndedMessage:
      // Posted as the thread's last step: it ends at once and needs nothing of this thread.
      if (pendingOpening_ && !ending_ && (!runThread_ || WaitForSingleObject(runThread_, 1000) == WAIT_OBJECT_0)) {
        PendingOpening pending = std::move(*pendingOpening_);
        if (!StartOpening(*pending.busy, std::move(pending.onDesktopCaptured))) *pending.busy = 0;
      }
      return 0;
    case kOverviewClosedMessage:
      // A later opening may have begun since the message was posted.
      if (static_cast<uint32_t>(wParam) == opening_) ListenToKeyboard(false);
      return 0;
    default:
      return Dialog::WindowProc(message, wParam, lParam);
  }
}

void EXPOSE_DLG::OnKeyboardInput(HRAWINPUT handle) {
  alignas(8) RawInputBuffer buffer;
  const std::optional<RawKeyView> key = ReadRawKey(handle, buffer);
  if (!key || stage_ != Stage::LaidOut) return;
  if (key->message != WM_KEYDOWN && key->message != WM_SYSKEYDOWN) return;

  int32_t selectedNow = -1;
  int32_t count = 0;
  int32_t columns = 1;
  {
    std::lock_guard lock(itemsMutex_);
    selectedNow = animation_.selected();
    count = static_cast<int32_t>(items_.size());
    columns = grid_.columns;
  }
  const OverviewKeyOutcome outcome = OverviewKey(key->virtualKey, selectedNow, count, columns);
  switch (outcome.kind) {
    case OverviewKeyOutcome::Kind::MoveSelection:
      MoveSelectionTo(outcome.index);
      break;
    case OverviewKeyOutcome::Kind::Choose:
      RequestClose(true, outcome.index);
      break;
    case OverviewKeyOutcome::Kind::Cancel:
      RequestClose(false, -1);
      break;
    case OverviewKeyOutcome::Kind::Nothing:
      break;
  }
}

void EXPOSE_DLG::OnRawMouse(uint16_t buttonFlags) {
  if (!hwnd()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(hwnd(), &cursor);
  const int32_t hit = HitTest({cursor.x, cursor.y});
  // A release anywhere ends the overview: on an item it picks it, elsewhere it cancels.
  if (buttonFlags & RI_MOUSE_LEFT_BUTTON_UP) RequestClose(hit != -1, hit);
  hovered_ = hit;
}

int32_t EXPOSE_DLG::HitTest(Point client) {
  std::lock_guard lock(itemsMutex_);
  return HitTestItem(animation_.shownRects(), stage_ == Stage::LaidOut, client);
}

void EXPOSE_DLG::OnMouseMove(Point client) {
  if (client == lastMouse_) return;
  lastMouse_ = client;
  if (stage_ != Stage::LaidOut) return;
  const int32_t hit = HitTest(client);
  if (hit != -1 && hit != selected()) SelectItem(hit);
}

void EXPOSE_DLG::SelectItem(int32_t index) {
  std::wstring title;
  {
    std::lock_guard lock(itemsMutex_);
    if (index < 0 || static_cast<size_t>(index) >= items_.size() || index == animation_.selected()) return;
    animation_.Select(index);
    title = items_[static_cast<size_t>(index)].title;
  }
  animationThread_.Wake();
  SetToolText(title);
}

void EXPOSE_DLG::MoveSelectionTo(int32_t index) {
  Rect target;
  {
    std::lock_guard lock(itemsMutex_);
    if (index < 0 || static_cast<size_t>(index) >= items_.size() || index == animation_.selected()) return;
    target = items_[static_cast<size_t>(index)].target;
  }
  const Point centre = ItemCentreOnScreen(target, monitorOrigin_);
  SetCursorPos(centre.x, centre.y);
  hovered_ = index;
  if (toolTip_) SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
  // The move the system reports for the new position selects the item too; selecting it here as
  // well keeps the keys working where no such move is reported.
  SelectItem(index);
}

void EXPOSE_DLG::RequestClose(bool choose, int32_t index) {
  if (choose) chosen_ = index;
  closeRequested_ = 1;
  if (decision_) SetEvent(decision_);
}

void EXPOSE_DLG::SetToolText(const std::wstring& text) {
  if (!toolTip_) return;
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---- Painting ----------------------------------------------------------------------------------

bool EXPOSE_DLG::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd(), &paint);
  const RECT& update = paint.rcPaint;
  const int width = update.right - update.left;
  const int height = update.bottom - update.top;
  std::lock_guard lock(itemsMutex_);
  if (!backdrop_) {
    EndPaint(hwnd(), &paint);
    return true;
  }
  const bool composition = composition_;
  auto cacheLock = snapshots_.Lock();
  std::vector<OverviewItemView> views;
  std::vector<Rect> targets;
  std::vector<HICON> icons;
  for (const Item& item : items_) {
    const SnapshotCache::Record* record = composition ? nullptr : snapshots_.Find(item.window);
    // A window closed since the layout has nothing left to show.
    const bool gone = !IsWindow(item.window);
    views.push_back({item.title, record && !gone ? record->picture.get() : nullptr});
    targets.push_back(item.target);
    icons.push_back(item.icon);
  }
  const DisplayScale scale = ScaleOfWindow(hwnd());
  if (paintPending_.exchange(false) && !composition) {
    // The resting pictures become part of the backdrop: later paints only copy it.
    GdiplusCanvas canvas(backdrop_->bits(), backdrop_->width(), backdrop_->height(), backdrop_->strideBytes());
    PaintItemsAtRest(canvas, targets, views, scale);
    canvas.Flush();
  }
  if (backBuffer_) {
    BitBlt(backBuffer_->dc(), update.left, update.top, width, height, backdrop_->dc(), update.left, update.top, SRCCOPY);
    GdiFlush();
    std::vector<Growth> growth;
    for (size_t i = 0; i < animation_.size(); ++i) growth.push_back(animation_.growth(static_cast<int32_t>(i)));
    {
      GdiplusCanvas canvas(backBuffer_->bits(), backBuffer_->width(), backBuffer_->height(), backBuffer_->strideBytes());
      BackBufferIcons badgeIcons(canvas, backBuffer_->dc(), std::move(icons));
      OverlayState state{&animation_.shownRects(), &growth, animation_.selected(), composition,
                         GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), scale};
      PaintOverlay(canvas, state, views, badgeIcons);
      canvas.Flush();
    }
    BitBlt(dc, update.left, update.top, width, height, backBuffer_->dc(), update.left, update.top, SRCCOPY);
  } else {
    BitBlt(dc, update.left, update.top, width, height, backdrop_->dc(), update.left, update.top, SRCCOPY);
  }
  EndPaint(hwnd(), &paint);
  return true;
}

// ---- Animation ---------------------------------------------------------------------------------

void EXPOSE_DLG::StartAnimation() {
  if (animationThread_.started()) return;
  animationThread_.Start({.stepMs = kAnimationStepMs, .priority = THREAD_PRIORITY_ABOVE_NORMAL},
                         [this] { return StepGrowth(); });
}

void EXPOSE_DLG::StopAnimation() { animationThread_.Stop(kThreadEndWaitMs); }

AnimationThread::Next EXPOSE_DLG::StepGrowth() {
  std::vector<RECT> cells;
  std::vector<std::pair<HTHUMBNAIL, Rect>> thumbnails;
  {
    std::lock_guard lock(itemsMutex_);
    // Nothing grows or shrinks: no wake-up until the selection changes or the overview closes.
    if (!animation_.Moving()) return AnimationThread::Next::Rest;
    for (int32_t index : animation_.Step()) {
      const Rect cell = CellOf(grid_, index);
      cells.push_back({cell.left - kFrameReach, cell.top - kFrameReach, cell.right + kFrameReach, cell.bottom + kFrameReach});
      const Item& item = items_[static_cast<size_t>(index)];
      if (composition_ && item.thumbnail) {
        thumbnails.emplace_back(item.thumbnail, animation_.shownRects()[static_cast<size_t>(index)]);
      }
    }
  }
  for (const auto& [thumbnail, rect] : thumbnails) dwm_->Place(thumbnail, rect);
  for (const RECT& cell : cells) InvalidateRect(hwnd(), &cell, FALSE);
  return AnimationThread::Next::Step;
}

}  // namespace corvan
