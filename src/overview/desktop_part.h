#pragma once

#include "core/geometry.h"

namespace corvan {

// The desktop window covers the whole virtual screen and renders itself from its own top-left
// corner, which lies left of or above the primary monitor whenever another monitor does. A
// monitor's part of that picture starts this far into it.
Point DesktopPartOrigin(Point desktopOrigin, const Rect& monitor);

}  // namespace corvan
