#pragma once

#include <windows.h>

#include <optional>

namespace corvan {

struct MonitorArea {
  HMONITOR monitor = nullptr;
  RECT whole{};
  RECT work{};  // without the taskbar and the desktop's tool bars
};

// The monitor a screen point lies on, or the one nearest to it.
std::optional<MonitorArea> MonitorAt(POINT point);
std::optional<MonitorArea> MonitorUnderPointer();
std::optional<MonitorArea> AreaOf(HMONITOR monitor);

}  // namespace corvan
