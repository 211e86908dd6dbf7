#pragma once

#include <windows.h>

#include <vector>

#include "overview/window_filter.h"

namespace corvan {

// The filter's facts read from the system, one window at a time.
class Win32WindowFacts final : public WindowFactsSource {
 public:
  WindowFacts Facts(WindowId window) override;
  ShellWindows CurrentShellWindows() override;
  void Hide(WindowId window) override;
};

// The top-level windows the overview shows, topmost first; `ownWindow` is never among them.
std::vector<HWND> CollectWindows(HWND ownWindow);

// Every monitor but `cursorMonitor`, in the system's order.
std::vector<HMONITOR> CollectOtherMonitors(HMONITOR cursorMonitor);

}  // namespace corvan
