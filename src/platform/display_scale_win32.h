#pragma once

#include <windows.h>

#include "core/display_scale.h"

namespace corvan {

// The scale of the monitor the window is on, as a per-monitor aware program sees it. Before
// Windows 10 the system answers for the window only with its one DPI, which is then used.
DisplayScale ScaleOfWindow(HWND window);
// The scale of the monitor under a screen point (the system's DPI before Windows 8.1).
DisplayScale ScaleAt(POINT screen);

}  // namespace corvan
