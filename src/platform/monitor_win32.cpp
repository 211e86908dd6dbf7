#include "platform/monitor_win32.h"

namespace corvan {

std::optional<MonitorArea> AreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
  return MonitorArea{monitor, info.rcMonitor, info.rcWork};
}

std::optional<MonitorArea> MonitorAt(POINT point) { return AreaOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

std::optional<MonitorArea> MonitorUnderPointer() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return MonitorAt(cursor);
}

}  // namespace corvan
