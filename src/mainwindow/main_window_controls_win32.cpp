// What function runs ask of the main window and the overlays it owns.
#include "mainwindow/main_window_timers.h"
#include "mainwindow/main_window_win32.h"
#include "overview/expose_dlg_win32.h"
#include "presenter/board_dlg_win32.h"
#include "ui/picker_win32.h"
#include "ui/tip_win32.h"

namespace corvan {

bool CCorvanAssistantDlg::BoardVisible() { return board_ && board_->IsVisible(); }

void CCorvanAssistantDlg::RaiseBoard() {
  if (board_) board_->Raise();
}

void CCorvanAssistantDlg::ToggleBoard(int32_t mode) {
  if (!board_) return;
  board_->Toggle(mode);
  if (hooks_) hooks_->ListenForBoardEscape(board_->state().mode() != kBoardOff);
}

bool CCorvanAssistantDlg::OverviewVisible() { return overview_ && overview_->IsVisible(); }

void CCorvanAssistantDlg::StartOverview(std::optional<FunctionTip> announcement) {
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

bool CCorvanAssistantDlg::MainWindowVisible() { return IsWindowVisible(hwnd()) != FALSE; }

void CCorvanAssistantDlg::HideMainWindowForAWhile() {
  ShowWindow(hwnd(), SW_HIDE);
  SetTimer(hwnd(), kTimerForeground, kForegroundAfterActionMs, nullptr);
}

void CCorvanAssistantDlg::ClosePicker() {
  if (picker_) picker_->ClosePicker();
}

void CCorvanAssistantDlg::FillPicker(int32_t groupCode) {
  if (picker_) picker_->Fill(state_.functionCatalogue.entries, groupCode);
}

void CCorvanAssistantDlg::ShowPicker(Point topLeft, PickerMode mode) {
  if (!picker_) return;
  picker_->ShowAt(topLeft, mode);
}

void CCorvanAssistantDlg::ShowFunctionTip(Point centre, const std::wstring& text, int32_t displayMs, int32_t textSize) {
  corvan::ShowFunctionTip(text, POINT{centre.x, centre.y}, displayMs, textSize);
}

}  // namespace corvan
