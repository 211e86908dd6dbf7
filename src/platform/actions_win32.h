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

// Creates the shell automation object and toggles the desktop with it. Returns the toggle's
// result, or the failure that kept it from being called.
HRESULT ToggleDesktopThroughShell(ShellCalls& shell);

// The system actions on Windows: the shell, the keyboard, the pointer and the monitors.
class Win32Actions final : public SystemActions {
 public:
  Win32Actions(ShellCalls& shell, KeyboardInjector& keyboard) : shell_(shell), keyboard_(keyboard) {}

  void InitialiseCom() override;
  void UninitialiseCom() override;

  void SendKeys(uint8_t modifiers, uint16_t key, bool down, bool scanMode) override;
  void OpenComputerFolder() override;
  void ToggleDesktop() override;
  void StartCalculator() override;

  Point CursorPosition() override;
  Rect WorkAreaAt(Point point) override;

 private:
  ShellCalls& shell_;
  KeyboardInjector& keyboard_;
  // One entry per initialisation still open, true when it succeeded and so needs its release.
  // Runs can nest when a shell call pumps messages.
  std::vector<bool> comInitialisations_;
};

}  // namespace corvan
