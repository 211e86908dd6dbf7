#include "overview/window_facts_win32.h"

namespace corvan {
namespace {

constexpr int kNameBufferChars = 100;

HWND AsHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
WindowId AsId(HWND window) { return reinterpret_cast<WindowId>(window); }

std::wstring ReadClassName(HWND window) {
  wchar_t buffer[kNameBufferChars] = {};
  const int length = GetClassNameW(window, buffer, kNameBufferChars);
  return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring ReadTitle(HWND window) {
  wchar_t buffer[kNameBufferChars] = {};
  // Read without asking the window: one that does not answer would hold the overview up.
  const int length = InternalGetWindowText(window, buffer, kNameBufferChars);
  return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<WindowId>*>(list)->push_back(AsId(window));
  return TRUE;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  reinterpret_cast<std::vector<MonitorId>*>(list)->push_back(reinterpret_cast<MonitorId>(monitor));
  return TRUE;
}

}  // namespace

WindowFacts Win32WindowFacts::Facts(WindowId id) {
  const HWND window = AsHwnd(id);
  WindowFacts facts;
  facts.exStyle = static_cast<uint32_t>(GetWindowLongW(window, GWL_EXSTYLE));
  facts.visible = IsWindowVisible(window) != FALSE;
  facts.minimised = IsIconic(window) != FALSE;
  facts.className = ReadClassName(window);
  facts.title = ReadTitle(window);
  facts.owner = AsId(GetWindow(window, GW_OWNER));
  RECT rect{};
  if (GetWindowRect(window, &rect)) {
    facts.left = rect.left;
    facts.right = rect.right;
  }
  return facts;
}

ShellWindows Win32WindowFacts::CurrentShellWindows() {
  return {AsId(FindWindowW(L"Shell_TrayWnd", nullptr)), AsId(FindWindowW(L"Progman", nullptr)),
          AsId(FindWindowExW(nullptr, nullptr, L"Button", nullptr))};
}

void Win32WindowFacts::Hide(WindowId window) { ShowWindow(AsHwnd(window), SW_HIDE); }

std::vector<HWND> CollectWindows(HWND ownWindow) {
  // The enumeration is taken whole first; the facts are read as the filter reaches each window.
  std::vector<WindowId> enumeration;
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&enumeration));
  Win32WindowFacts facts;
  std::vector<HWND> listed;
  for (WindowId id : FilterWindows(enumeration, AsId(GetDesktopWindow()), AsId(ownWindow), facts)) {
    listed.push_back(AsHwnd(id));
  }
  return listed;
}

std::vector<HMONITOR> CollectOtherMonitors(HMONITOR cursorMonitor) {
  std::vector<MonitorId> monitors;
  HDC screen = GetDC(nullptr);
  EnumDisplayMonitors(screen, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  ReleaseDC(nullptr, screen);
  std::vector<HMONITOR> others;
  for (MonitorId id : OtherMonitors(monitors, reinterpret_cast<MonitorId>(cursorMonitor))) {
    others.push_back(reinterpret_cast<HMONITOR>(id));
  }
  return others;
}

}  // namespace corvan
