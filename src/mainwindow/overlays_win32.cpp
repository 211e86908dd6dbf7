// The windows over the desktop: their creation, their share of raw mouse input, what function
// runs ask of them, and their end.
#include "mainwindow/overlays_win32.h"

#include <objbase.h>

#include <functional>
#include <utility>

#include "mainwindow/hook_library_abi.h"
#include "mainwindow/main_window_timers.h"
#include "overview/expose_dlg_win32.h"
#include "presenter/board_dlg_win32.h"
#include "presenter/circle_dlg_win32.h"
#include "presenter/cursor_dlg_win32.h"
#include "resource_ids.h"
#include "ui/picker_win32.h"
#include "ui/tip_win32.h"

namespace corvan {

Overlays::Overlays(ProgramState& state) : state_(state) {}

Overlays::~Overlays() = default;

void Overlays::Create(HWND mainWindow) {
  mainWindow_ = mainWindow;

  overview_ = MakeDialog<EXPOSE_DLG>();
  overview_->SetMainWindow(mainWindow);
  overview_->Create(nullptr);

  magnifier_ = MakeDialog<CircleDLG>();
  magnifier_->Create(nullptr);

  cursorOverlay_ = MakeDialog<CursorDlg>(state_.gestureDirection, state_.animationFrame);
  cursorOverlay_->CreateOverlay();

  board_ = MakeDialog<BoardDlg>(state_.boardMode, state_.spotlightSize);
  board_->SetTexts(state_.texts.leaveBoardHint, state_.texts.copiedToClipboard);
  board_->Create(FindWindowW(L"Progman", nullptr));

  picker_ = MakeDialog<QxItemList>();
  picker_->SetGroupMarkerImage(IDB_FOLDER);
  picker_->Create(mainWindow);
}

void Overlays::InstallMouseHook(HANDLE tiltEvent) {
  hooks_ = std::make_unique<SystemHooks>(state_, *board_, tiltEvent, mainWindow_);
  hooks_->InstallMouseHook();
}

void Overlays::LoadHookLibrary(const std::wstring& programDir) {
  hookLibrary_ = LoadLibraryW((programDir + QX_HOOK_LIBRARY_NAME).c_str());
  if (!hookLibrary_) return;
  auto setHook = reinterpret_cast<QxSetHookFunction>(
      reinterpret_cast<void*>(GetProcAddress(hookLibrary_, QX_HOOK_EXPORT_NAME)));
  if (setHook) setHook(board_->hwnd(), QX_HOOK_ENABLE, QX_HOOK_TAG, QX_HOOK_OPTION);
}

void Overlays::InitialiseCom() { comInitialised_ = SUCCEEDED(CoInitialize(nullptr)); }

void Overlays::InstallForegroundHook() {
  if (hooks_) hooks_->InstallForegroundHook();
}

void Overlays::Destroy() {
  // Its destroy step gives the pointer back when a mode is on.
  if (board_) board_->Destroy();
  if (picker_) picker_->ClosePicker();
  if (cursorOverlay_ && cursorOverlay_->hwnd()) PostMessageW(cursorOverlay_->hwnd(), WM_CLOSE, 0, 0);
  if (overview_ && overview_->hwnd()) PostMessageW(overview_->hwnd(), WM_CLOSE, 0, 0);
  if (picker_ && picker_->hwnd()) PostMessageW(picker_->hwnd(), WM_CLOSE, 0, 0);
  if (QxTipDLG* tip = FunctionTipWindow()) PostMessageW(tip->hwnd(), WM_CLOSE, 0, 0);
  if (hookLibrary_) FreeLibrary(hookLibrary_);
  hookLibrary_ = nullptr;
  if (hooks_) {
    hooks_->RemoveMouseHook();
    if (hooks_->foregroundHookInstalled()) {
      hooks_->RemoveForegroundHook();
      if (comInitialised_) CoUninitialize();
    }
  }
}

void Overlays::OnRawMouse(const RawInputView& mouse) {
  if (hooks_) hooks_->WatchMouseHook();
  // The overview follows every pointer input while it is up, moves included.
  if (overview_ && overview_->IsVisible()) overview_->OnRawMouse(mouse.buttonFlags);
  // The board follows every motion, not only button changes.
  if (board_) board_->OnRawMouse({mouse.lastX, mouse.lastY, mouse.buttonFlags, mouse.buttonData});
}

void Overlays::LeaveBoard() {
  if (board_ && board_->state().mode() != kBoardOff) ToggleBoard(kBoardOff);
}

void Overlays::OnResume() {
  if (hooks_) hooks_->ReinstallMouseHook();
}

void Overlays::OnSessionEnding() {
  if (board_) board_->Destroy();
}

bool Overlays::IsMagnifier(HWND window) const { return magnifier_ && window && window == magnifier_->hwnd(); }

HWND Overlays::cursorOverlayWindow() const { return cursorOverlay_ ? cursorOverlay_->hwnd() : nullptr; }

bool Overlays::BoardVisible() { return board_ && board_->IsVisible(); }

void Overlays::RaiseBoard() {
  if (board_) board_->Raise();
}

void Overlays::ToggleBoard(int32_t mode) {
  if (!board_) return;
  board_->Toggle(mode);
  if (hooks_) hooks_->ListenForBoardEscape(board_->state().mode() != kBoardOff);
}

bool Overlays::OverviewVisible() { return overview_ && overview_->IsVisible(); }

void Overlays::StartOverview(std::optional<FunctionTip> announcement) {
  std::function<void()> announce;
  if (announcement) {
    announce = [tip = std::move(*announcement)] {
      corvan::ShowFunctionTip(tip.text, POINT{tip.centre.x, tip.centre.y}, tip.displayMs, tip.textSize);
    };
  }
  // The last opening may still be activating its window: this start is then dropped, and nothing
  // is being captured.
  if (overview_ && overview_->Open(state_.overviewBusy, announce)) return;
  state_.overviewBusy = 0;
  if (announce) announce();
}

bool Overlays::MainWindowVisible() { return IsWindowVisible(mainWindow_) != FALSE; }

void Overlays::HideMainWindowForAWhile() {
  ShowWindow(mainWindow_, SW_HIDE);
  SetTimer(mainWindow_, kTimerForeground, kForegroundAfterActionMs, nullptr);
}

void Overlays::ClosePicker() {
  if (picker_) picker_->ClosePicker();
}

void Overlays::FillPicker(int32_t groupCode) {
  if (picker_) picker_->Fill(state_.functionCatalogue.entries, groupCode);
}

void Overlays::ShowPicker(Point topLeft, PickerMode mode) {
  if (!picker_) return;
  picker_->ShowAt(topLeft, mode);
}

void Overlays::ShowFunctionTip(Point centre, const std::wstring& text, int32_t displayMs, int32_t textSize) {
  corvan::ShowFunctionTip(text, POINT{centre.x, centre.y}, displayMs, textSize);
}

}  // namespace corvan
