#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "input/dispatcher.h"
#include "mainwindow/hooks_win32.h"
#include "mainwindow/program_state.h"
#include "platform/dialog_win32.h"
#include "platform/raw_input_win32.h"

namespace corvan {

class BoardDlg;
class CircleDLG;
class CursorDlg;
class EXPOSE_DLG;
class QxItemList;

// Every window the program shows over the desktop (the overview, the presenter board, the
// magnifier, the cursor overlay, the picker and the tip) and what serves them: the system hooks
// and the hook library. It does what a function run asks of them. An overlay is created, fed raw
// mouse input and destroyed here and nowhere else. Main window thread only.
class Overlays final : public MainWindowControls {
 public:
  explicit Overlays(ProgramState& state);
  ~Overlays() override;
  Overlays(const Overlays&) = delete;
  Overlays& operator=(const Overlays&) = delete;

  // `mainWindow` owns the picker and the tip, and hears the hooks' requests.
  void Create(HWND mainWindow);
  void InstallMouseHook(HANDLE tiltEvent);
  void LoadHookLibrary(const std::wstring& programDir);
  void InitialiseCom();
  void InstallForegroundHook();
  // Gives the pointer back, closes every overlay and removes the hooks; by the time it returns no
  // hook can use the tilt event any more.
  void Destroy();

  // Every raw mouse input of the session, moves included.
  void OnRawMouse(const RawInputView& mouse);
  // Esc was pressed while a presenter mode was on.
  void LeaveBoard();
  // The system may have dropped the mouse hook while it slept.
  void OnResume();
  // The session ends: the pointer is given back at once.
  void OnSessionEnding();

  QxItemList* picker() { return picker_.get(); }
  bool IsMagnifier(HWND window) const;
  HWND cursorOverlayWindow() const;

  // What a function run asks.
  bool BoardVisible() override;
  void RaiseBoard() override;
  void ToggleBoard(int32_t mode) override;
  bool OverviewVisible() override;
  void StartOverview(std::optional<FunctionTip> announcement) override;
  bool MainWindowVisible() override;
  void HideMainWindowForAWhile() override;
  void ClosePicker() override;
  void FillPicker(int32_t groupCode) override;
  void ShowPicker(Point topLeft, PickerMode mode) override;
  void ShowFunctionTip(Point centre, const std::wstring& text, int32_t displayMs, int32_t textSize) override;

 private:
  ProgramState& state_;
  HWND mainWindow_ = nullptr;
  DialogPtr<EXPOSE_DLG> overview_;
  DialogPtr<CircleDLG> magnifier_;
  DialogPtr<CursorDlg> cursorOverlay_;
  DialogPtr<BoardDlg> board_;
  DialogPtr<QxItemList> picker_;
  std::unique_ptr<SystemHooks> hooks_;
  HMODULE hookLibrary_ = nullptr;
  bool comInitialised_ = false;
};

}  // namespace corvan
