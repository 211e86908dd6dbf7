#include "platform/actions_win32.h"

#include <shellapi.h>
#include <shldisp.h>

#include <optional>

#include "platform/monitor_win32.h"

namespace corvan {

HINSTANCE Win32ShellCalls::Execute(HWND window, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                                   const wchar_t* directory, int show) {
  return ShellExecuteW(window, verb, file, parameters, directory, show);
}

HRESULT Win32ShellCalls::CreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                                        void** object) {
  return CoCreateInstance(classId, outer, context, interfaceId, object);
}

HRESULT ToggleDesktopThroughShell(ShellCalls& shell) {
  IDispatch* dispatch = nullptr;
  HRESULT result = shell.CreateInstance(CLSID_Shell, nullptr, kShellObjectContext, IID_IDispatch,
                                        reinterpret_cast<void**>(&dispatch));
  if (FAILED(result)) return result;
  if (!dispatch) return E_POINTER;
  // The object's dispatch interface is not promised to be its shell interface: ask for that.
  IShellDispatch4* shellDispatch = nullptr;
  result = dispatch->QueryInterface(IID_IShellDispatch4, reinterpret_cast<void**>(&shellDispatch));
  if (SUCCEEDED(result)) {
    result = shellDispatch->ToggleDesktop();
    shellDispatch->Release();
  }
  dispatch->Release();
  return result;
}

void Win32Actions::InitialiseCom() {
  comInitialisations_.push_back(SUCCEEDED(CoInitializeEx(nullptr, kRunComModel)));
}

void Win32Actions::UninitialiseCom() {
  if (comInitialisations_.empty()) return;
  // A failed initialisation (the thread already runs another model) must not release the
  // thread's own.
  if (comInitialisations_.back()) CoUninitialize();
  comInitialisations_.pop_back();
}

void Win32Actions::SendKeys(uint8_t modifiers, uint16_t key, bool down, bool scanMode) {
  SendKeyCombination(keyboard_, modifiers, key, down, scanMode);
}

void Win32Actions::OpenComputerFolder() { shell_.Execute(nullptr, nullptr, kComputerFolder, nullptr, nullptr, SW_SHOWNORMAL); }

void Win32Actions::ToggleDesktop() { ToggleDesktopThroughShell(shell_); }

void Win32Actions::StartCalculator() { shell_.Execute(nullptr, nullptr, kCalculator, nullptr, nullptr, SW_SHOWNORMAL); }

Point Win32Actions::CursorPosition() {
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return {};
  return {cursor.x, cursor.y};
}

Rect Win32Actions::WorkAreaAt(Point point) {
  const std::optional<MonitorArea> area = MonitorAt(POINT{point.x, point.y});
  if (!area) return {};
  return {area->work.left, area->work.top, area->work.right, area->work.bottom};
}

}  // namespace corvan
