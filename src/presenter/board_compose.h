#pragma once

#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "presenter/board_raster.h"
#include "ui/argb_image.h"

namespace corvan {

inline constexpr int kColorCount = 5;
inline constexpr int kEraserIndex = 4;
inline constexpr int kInkPenWidth = 16;
inline constexpr int kPointerMarkSide = 40;  // the square a pointer mark is repainted in
// Straight ARGB, by colour index: red, green, blue, yellow, eraser.
inline constexpr Argb kInkColours[kColorCount] = {0x90FF0000, 0x9000FF00, 0x900000FF, 0x90FFFF00, 0x00000000};
inline constexpr Argb kMarkFillColours[kColorCount] = {0x80FF0000, 0x8000FF00, 0x800000FF, 0x80FFFF00, 0x00000000};
inline constexpr Argb kMarkRingColours[kColorCount] = {0xFEFF0000, 0xFE00FF00, 0xFC00009B, 0xFCFFC800, 0xFC000000};
inline constexpr Argb kDarkening = 0xC8000000;
inline constexpr Argb kOutlineColour = 0xDEFF0000;

// What is drawn over the frozen picture and its ink.
struct BoardOverlay {
  enum class Darken { None, OutsideRect, OutsideSpans };
  Darken darken = Darken::None;
  Rect clearRect;                            // OutsideRect: the part left undarkened
  const PolygonSpans* clearSpans = nullptr;  // OutsideSpans: the part left undarkened

  bool pointerMark = false;  // the highlighter's mark, centred on `pointer`
  Point pointer;
  int colorIndex = 0;

  enum class Outline { None, Rect, Polyline };
  Outline outline = Outline::None;  // the dashed outline of a selection being drawn
  Rect outlineRect;
  const std::vector<Point>* outlinePoints = nullptr;
};

// Recomposes the pixels of `dirty` (clipped to the target): the frozen picture with the ink over
// it, or transparency where there is no picture (the spotlight), then the overlay. Every other
// pixel of the target is left as it is, so a move costs what it changed.
void ComposeBoard(const PixelTarget& target, Rect dirty, const ArgbImage* capture, const InkLayer* ink,
                  const BoardOverlay& overlay);

// The rectangle a dashed outline of the polyline's last segment (from-to) may touch.
Rect OutlineSegmentReach(Point from, Point to);

}  // namespace corvan
