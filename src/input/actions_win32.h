#pragma once

#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <string>
#include <vector>

#include "input/dispatcher.h"
#include "input/key_records.h"

namespace corvan {

inline constexpr wchar_t kComputerFolder[] = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
inline constexpr wchar_t kCalculator[] = L"calc.exe";
// In-process, local and remote server: 0x15.
inline constexpr DWORD kShellObjectContext = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
// Single-threaded apartment without OLE1 DDE: 0x6.
inline constexpr DWORD kRunComModel = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;

// The shell's entry points as the actions use them, so that a test sees the exact arguments.
class ShellCalls {
 public:
  virtual ~ShellCalls() = default;
  virtual HINSTANCE Execute(HWND window, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                            const wchar_t* directory, int show) = 0;
  virtual HRESULT CreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                                 void** object) = 0;
};

class Win32ShellCalls final : public ShellCalls {
 public:
  HINSTANCE Execute(HWND window, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                    const wchar_t* directory, int show) override;
  HRESULT CreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                         void** object) override;
};

// What a run asks of the main window and the overlays it owns. The main window implements it.
class MainWindowControls {
 public:
  virtual ~MainWindowControls() = default;

  virtual bool BoardVisible() = 0;
  virtual void RaiseBoard() = 0;  // SetWindowPos HWND_TOPMOST, SWP_NOMOVE | SWP_NOSIZE
  virtual void ToggleBoard(int32_t mode) = 0;
  virtual bool OverviewVisible() = 0;
  // RunExpose with the overview window on a new thread; the overview clears the busy flag.
  virtual void StartOverview() = 0;

  virtual bool MainWindowVisible() = 0;
  virtual void HideMainWindow() = 0;
  virtual void StartMainWindowTimer(uint32_t timerId, uint32_t periodMs) = 0;

  virtual void ClosePicker() = 0;
  virtual void FillPicker(int32_t groupCode) = 0;  // from the catalogue
  virtual void ShowPicker(Point topLeft, PickerMode mode) = 0;

  // Stops a running display of the tip (creating the tip window on first use), then shows the text.
  virtual void ShowFunctionTip(Point centre, const std::wstring& text, int32_t displayMs, int32_t textSize) = 0;
};

// Creates the shell automation object and toggles the desktop with it. Returns the toggle's
// result, or the failure that kept it from being called.
HRESULT ToggleDesktopThroughShell(ShellCalls& shell);

// The actions on Windows: the shell and the keyboard here, everything that belongs to a window
// handed on to the main window.
class Win32Actions final : public Actions {
 public:
  Win32Actions(ShellCalls& shell, KeyboardInjector& keyboard, MainWindowControls& window)
      : shell_(shell), keyboard_(keyboard), window_(window) {}

  void InitialiseCom() override;
  void UninitialiseCom() override;

  void SendKeys(uint8_t modifiers, uint16_t key, bool down, bool scanMode) override;
  void OpenComputerFolder() override;
  void ToggleDesktop() override;
  void StartCalculator() override;

  bool BoardVisible() override { return window_.BoardVisible(); }
  void RaiseBoard() override { window_.RaiseBoard(); }
  void ToggleBoard(int32_t mode) override { window_.ToggleBoard(mode); }
  bool OverviewVisible() override { return window_.OverviewVisible(); }
  void StartOverview() override { window_.StartOverview(); }
  bool MainWindowVisible() override { return window_.MainWindowVisible(); }
  void HideMainWindow() override { window_.HideMainWindow(); }
  void StartMainWindowTimer(uint32_t timerId, uint32_t periodMs) override {
    window_.StartMainWindowTimer(timerId, periodMs);
  }
  void ClosePicker() override { window_.ClosePicker(); }
  void FillPicker(int32_t groupCode) override { window_.FillPicker(groupCode); }
  void ShowPicker(Point topLeft, PickerMode mode) override { window_.ShowPicker(topLeft, mode); }

  Point CursorPosition() override;
  Rect WorkAreaAt(Point point) override;
  void ShowFunctionTip(Point centre, const std::wstring& text, int32_t displayMs, int32_t textSize) override {
    window_.ShowFunctionTip(centre, text, displayMs, textSize);
  }

 private:
  ShellCalls& shell_;
  KeyboardInjector& keyboard_;
  MainWindowControls& window_;
  // One entry per initialisation still open, true when it succeeded and so needs its release.
  // Runs can nest when a shell call pumps messages.
  std::vector<bool> comInitialisations_;
};

}  // namespace corvan
