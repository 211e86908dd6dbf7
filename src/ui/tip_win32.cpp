#include "ui/tip_win32.h"

#include <memory>
#include <optional>

#include "platform/display_scale_win32.h"
#include "ui/gdiplus_canvas_win32.h"
#include "ui/png_resource_win32.h"

namespace corvan {
namespace {

static_assert(kTipPanelImage == IDB_TIP_PANEL);

// A step only posts to the window's thread: the display thread never has long to go.
constexpr DWORD kDisplayEndWaitMs = 2000;

DialogPtr<QxTipDLG> functionTip;
HWND functionTipOwner = nullptr;

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

}  // namespace

QxTipDLG::~QxTipDLG() { display_.Stop(kDisplayEndWaitMs); }

BOOL QxTipDLG::OnInitDialog() {
  Dialog::OnInitDialog();
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  // FALSE: the dialog manager must not give the tip the focus, which would make it the active
  // window and take the keyboard away from whatever the user works in.
  return FALSE;
}

void QxTipDLG::ShowTip(int x, int y, std::wstring_view text, int displayMs, int textSize) {
  ShowWindow(hwnd(), SW_HIDE);
  text_.assign(text);
  // The tip takes the scale of the monitor it shows on: its text, and with it the whole tip.
  const DisplayScale scale = ScaleAt(POINT{x, y});
  textSize_ = scale.Px(textSize);

  SizeF measured;
  if (HDC screen = GetDC(nullptr)) {
    {
      // The graphics object must be gone before its device context is released.
      GdiplusCanvas canvas(screen);
      measured = MeasureTipText(canvas, text_, textSize_);
    }
    ReleaseDC(nullptr, screen);
  }
  const TipBounds bounds = TipWindowBounds(x, y, measured, scale);
  SetWindowPos(hwnd(), HWND_TOPMOST, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOACTIVATE);

  bool startDisplay = false;
  {
    std::lock_guard lock(mutex_);
    fade_.Show(displayMs);
    level_ = fade_.level();
    startDisplay = !displayRuns_;
    displayRuns_ = true;
  }
  // The new picture is ready before the first step shows the window.
  ComposeIfChanged();
  Present();
  // A display already running carries the new one on.
  if (startDisplay) StartDisplayThread();
}

void QxTipDLG::StartDisplayThread() {
  // A display that ran before has said it is over and is on its way out: Start waits for it.
  const AnimationThread::Options ticks{
      .stepMs = kTipTickMs, .priority = THREAD_PRIORITY_ABOVE_NORMAL, .stepsFromStart = true};
  if (display_.Start(ticks, [this] { return StepDisplay(); })) return;
  std::lock_guard lock(mutex_);
  displayRuns_ = false;
}

void QxTipDLG::StopTip() {
  std::lock_guard lock(mutex_);
  fade_.Stop();
}

void QxTipDLG::HideTip() {
  {
    std::lock_guard lock(mutex_);
    fade_.Cancel();
    level_ = 0;
  }
  if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

AnimationThread::Next QxTipDLG::StepDisplay() {
  std::lock_guard lock(mutex_);
  const TipTick tick = fade_.Step();
  ++stepCount_;
  const bool levelChanged = tick.level != level_;
  level_ = tick.level;
  // Only calls that post to the window's thread: that thread may be waiting for this lock.
  Act(tick, levelChanged);
  if (!fade_.idle()) return AnimationThread::Next::Step;
  // Nothing on screen: the thread ends, and the next ShowTip starts another.
  displayRuns_ = false;
  return AnimationThread::Next::End;
}

void QxTipDLG::Act(const TipTick& tick, bool levelChanged) {
  switch (tick.action) {
    case TipTick::Action::None:
      break;
    case TipTick::Action::Hide:
      ShowWindowAsync(hwnd(), SW_HIDE);
      break;
    case TipTick::Action::Present:
      // Shown without activation: the tip must not take the focus from the application the user
      // is typing into.
      if (!IsWindowVisible(hwnd())) {
        ShowWindowAsync(hwnd(), SW_SHOWNOACTIVATE);
        levelChanged = true;
      }
      SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
      // While the tip is held at one level there is nothing new to present.
      if (levelChanged) InvalidateRect(hwnd(), nullptr, FALSE);
      break;
  }
}

bool QxTipDLG::OnPaint() {
  PAINTSTRUCT paint{};
  BeginPaint(hwnd(), &paint);
  ComposeIfChanged();
  Present();
  EndPaint(hwnd(), &paint);
  return true;
}

void QxTipDLG::ComposeIfChanged() {
  // One pixel more than the client each way, so anti-aliasing at the far edges has room.
  const SIZE client = ClientSize(hwnd());
  const int width = client.cx + 1;
  const int height = client.cy + 1;
  if (surface_.dc() && width == surface_.width() && height == surface_.height() && text_ == composedText_ &&
      textSize_ == composedTextSize_) {
    return;
  }
  if (!surface_.Prepare(width, height)) return;
  const std::optional<ArgbImage> panel = LoadPngResource(kTipPanelImage);
  {
    GdiplusCanvas canvas(surface_.bits(), surface_.width(), surface_.height(), surface_.strideBytes());
    PaintTip(canvas, panel ? &*panel : nullptr, text_, textSize_, width, height);
  }
  composedText_ = text_;
  composedTextSize_ = textSize_;
  ++composeCount_;
}

void QxTipDLG::Present() {
  if (PresentLayered(hwnd(), surface_, level_)) ++presentCount_;
}

void ShowFunctionTip(std::wstring_view text, POINT point, int displayMs, int textSize) {
  if (!functionTip) {
    auto tip = MakeDialog<QxTipDLG>();
    if (!tip->Create(functionTipOwner)) return;
    functionTip = std::move(tip);
  }
  functionTip->ShowTip(point.x, point.y, text, displayMs, textSize);
}

void HideFunctionTip(bool hideWindow) {
  if (!functionTip) return;
  if (hideWindow) {
    functionTip->HideTip();
  } else {
    functionTip->StopTip();
  }
}

QxTipDLG* FunctionTipWindow() { return functionTip.get(); }

void SetFunctionTipOwner(HWND owner) { functionTipOwner = owner; }

}  // namespace corvan
