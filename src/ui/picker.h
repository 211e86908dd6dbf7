#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "config/catalogue.h"
#include "config/function_labels.h"
#include "core/display_scale.h"
#include "input/routing.h"
#include "core/geometry.h"

namespace corvan {

inline constexpr int32_t kPickerWidth = 300;
inline constexpr int32_t kPickerRowHeight = 36;
inline constexpr int32_t kPickerOtherRowHeight = 8;  // rows of kind 2, the separators
inline constexpr int32_t kPickerInset = 4;           // above the first row and below the last
inline constexpr int32_t kSubListOverlap = 11;

using PickerRows = std::vector<_QxItemListDB>;

// The six button orders as rows of the picker, each standing at its order value.
PickerRows ButtonOrderRows(const OrderLabels& labels);

// What a chosen row asks of the owner in a picker of this mode (kPickerAssign, kPickerRun or
// kPickerOrder).
int32_t ChoiceKind(PickerMode mode);

int32_t PickerRowHeight(const _QxItemListDB& row);
// 8 plus the heights of the rows.
int32_t PickerListHeight(const PickerRows& rows);

struct PickerPlacement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = kPickerWidth;
  int32_t height = 0;
  bool operator==(const PickerPlacement&) const = default;
};

// Where a list asked for at `requested` goes on the work area under the pointer: moved up to end
// at the bottom (cut to whole rows when it is taller than the work area), moved left to end one
// pixel past the right edge. The left and top edges do not move it.
PickerPlacement PlacePicker(Point requested, const PickerRows& rows, const Rect& workArea);

// A placement made at 96 DPI in the screen's pixels at the display's scale: its edges are scaled,
// so that a list that ends at the work area's edge at 96 DPI ends there at every scale.
PickerPlacement PlacementAtScale(const PickerPlacement& place, DisplayScale scale);

// Side 0: sub-lists open to the right; 1: to the left.
struct SubListPlacement {
  Point topLeft;
  int32_t side = 0;
  bool operator==(const SubListPlacement&) const = default;
};

// Where the sub-list of row `row` opens: beside the list (`window`, screen rectangle), overlapping
// it by 11 pixels on the list's side, turned to the other side when the monitor has no room, level
// with the row.
SubListPlacement PlaceSubList(const Rect& window, bool showsGroup, int32_t side, const Rect& monitor,
                              const PickerRows& rows, int32_t firstRow, int32_t row);

// The visible row under a client point, or -1. Rows start at y = 4 from the first row drawn; the
// slide offset is not applied.
int32_t PickerHitRow(const PickerRows& rows, int32_t firstRow, Point client, int32_t clientWidth,
                     int32_t clientHeight);

// The scrolling of one list: the first row drawn, the row it moves to and the slide offset. The
// wheel runs on the window's thread and the steps on the animation thread; they meet only on
// these single values, and a paint that sees neighbouring steps only shifts one frame.
class PickerScroll {
 public:
  void Reset();
  // One notch; negative delta scrolls down. True when the list must be repainted (and stepped).
  bool OnWheel(int32_t delta, const PickerRows& rows, int32_t clientHeight);
  // One animation step, every 10 ms while not at rest. True when something moved.
  bool Step(const PickerRows& rows);
  bool AtRest() const { return target_ == first_ && offset_ == 0; }

  int32_t firstRow() const { return first_; }
  int32_t targetRow() const { return target_; }
  int32_t offset() const { return offset_; }

 private:
  std::atomic<int32_t> first_{0};
  std::atomic<int32_t> target_{0};
  std::atomic<int32_t> offset_{0};
};

}  // namespace corvan
