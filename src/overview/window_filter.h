#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvan {

// A top-level window or a monitor as the overview refers to it: the handle's value, 0 for none.
using WindowId = uintptr_t;
using MonitorId = uintptr_t;

inline constexpr size_t kMaxOverviewWindows = 400;
inline constexpr size_t kMaxOtherMonitors = 20;
inline constexpr uint32_t kToolWindowStyle = 0x80;
// The overview window's own title; a window that carries it is hidden and never listed.
inline constexpr wchar_t kOverviewTitle[] = L"qx_expwnd";

// What the filter needs to know of one window, as the system reports it. Class names and titles
// are read into buffers of 100 characters, so at most 99 of them arrive.
struct WindowFacts {
  uint32_t exStyle = 0;
  bool visible = false;
  bool minimised = false;
  std::wstring className;
  std::wstring title;
  WindowId owner = 0;
  int32_t left = 0;
  int32_t right = 0;
};

// The windows that are never listed and that no zero-width window is replaced by; the system may
// replace them at any time, so they are asked for anew for every window.
struct ShellWindows {
  WindowId tray = 0;
  WindowId desktop = 0;
  WindowId firstButton = 0;
};

// Where the filter reads its facts and acts: the system's windows, or a table in a test.
class WindowFactsSource {
 public:
  virtual ~WindowFactsSource() = default;
  virtual WindowFacts Facts(WindowId window) = 0;
  virtual ShellWindows CurrentShellWindows() = 0;
  virtual void Hide(WindowId window) = 0;
};

// The windows the overview shows, in the order of the enumeration (topmost first): tool,
// invisible and shell windows left out, one member per owner family, a zero-width window stood
// in for by its owner, at most kMaxOverviewWindows.
std::vector<WindowId> FilterWindows(const std::vector<WindowId>& enumeration, WindowId desktopWindow,
                                    WindowId ownWindow, WindowFactsSource& source);

// Every monitor but the one under the pointer, in the system's order, at most kMaxOtherMonitors.
std::vector<MonitorId> OtherMonitors(const std::vector<MonitorId>& monitors, MonitorId cursorMonitor);

}  // namespace corvan
