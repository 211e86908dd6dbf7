#pragma once

#include <cstdint>

#include "ui/canvas.h"

namespace corvan {

// The two gradients that darken the desktop's picture behind the overview (or a panel); r, from 0
// to 2, picks the direction of each so the dimming differs from one opening to the next.
struct BackdropGradients {
  LinearGradientBrush first;
  LinearGradientBrush second;
};

enum class BackdropKind { Overview, Panel };

BackdropGradients ChooseBackdropGradients(BackdropKind kind, int firstR, int secondR, int32_t width, int32_t height);

}  // namespace corvan
