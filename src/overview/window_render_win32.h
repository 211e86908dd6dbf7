#pragma once

#include <windows.h>

#include <memory>

#include "core/geometry.h"
#include "ui/layered_win32.h"

namespace corvan {

// Whether the window's thread takes an empty message within a short time. At once false for a
// window the system already counts as hung.
bool Answers(HWND window);

// A window's picture of itself (PrintWindow) on a surface of width x height, with the point `from`
// of the window's picture on the surface's top-left corner. The window renders on its own thread
// and the system sets that no time limit, so a window that does not answer could hold the caller
// for as long as it hangs: it is asked an empty message first, then rendered on a thread of its
// own that is waited for with a bound. Nothing when the window does not answer, does not render
// within the bound, or cannot be rendered. Call it from a thread that owns no window.
std::unique_ptr<LayeredSurface> RenderWindow(HWND window, int width, int height, Point from, UINT printFlags);

// The monitor's part of the desktop window's client area, as the desktop renders it; nothing as
// for RenderWindow. The desktop window covers the whole virtual screen from its own corner.
std::unique_ptr<LayeredSurface> RenderDesktopPart(HWND desktopWindow, const RECT& monitor);

}  // namespace corvan
