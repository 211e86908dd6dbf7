#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/geometry.h"
#include "input/routing.h"
#include "ui/canvas.h"

namespace corvan {

inline constexpr int32_t kEditorWidth = 665;
inline constexpr int32_t kEditorHeight = 490;

struct LineSegment {
  PointF from;
  PointF to;
  bool operator==(const LineSegment&) const = default;
};

// A callout's leader line from the part of the mouse to its box: the short arrow segment at the
// part, then the two segments to the box.
struct Leader {
  LineSegment arrow;
  LineSegment toBend;
  LineSegment toBox;
};

// One callout as painted: its label's text box, trimmed to the room the callout has, and what
// belongs to it on the picture.
struct CalloutPlace {
  float x = 0;          // the text's top-left
  float y = 0;
  float textWidth = 0;  // the label's width, or the callout's room when the label is longer
  float height = 0;     // one line of the callout font
  bool trimmed = false;
  std::optional<Leader> leader;     // the side buttons, the extra key, the button order
  std::optional<LineSegment> sign;  // a gesture's direction arrow, drawn from `from` (the tip)
  std::optional<RectF> title;       // the button order's title above its box

  // The box with its drop-down square, as filled.
  RectF Outline() const { return {x - 1, y - 1, textWidth + height + 5, height + 4}; }
  // Where a press opens the picker: the text and the drop-down square.
  Rect Hot() const {
    return {static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + 2 + textWidth + height),
            static_cast<int32_t>(y + height + 1)};
  }
};

// Every callout's place for its label's measured width (`labelWidths[callout]`) and the height of
// one line, all within the editor's window. The side buttons' boxes stand where they always have;
// the extra key's box is left of the mouse, the gestures' in a column below it, and the button
// order's at the right, under its title. Entries of the main buttons are empty.
std::array<std::optional<CalloutPlace>, kCalloutCount> LayOutCallouts(const std::array<float, kCalloutCount>& labelWidths,
                                                                      float lineHeight, float titleHeight);

}  // namespace corvan
