#pragma once

#include <cstdint>
#include <vector>

#include "core/geometry.h"

namespace corvan {

// What a key pressed on the open overview asks for.
struct OverviewKeyOutcome {
  enum class Kind { Nothing, MoveSelection, Choose, Cancel };
  Kind kind = Kind::Nothing;
  // The item to move to (MoveSelection) or to activate (Choose, -1 for none).
  int32_t index = -1;
  bool operator==(const OverviewKeyOutcome&) const = default;
};

inline constexpr uint32_t kKeyReturn = 13;
inline constexpr uint32_t kKeyLeft = 37;
inline constexpr uint32_t kKeyUp = 38;
inline constexpr uint32_t kKeyRight = 39;
inline constexpr uint32_t kKeyDown = 40;

// Enter chooses the selected item; the arrows move through the grid, Left and Right wrapping
// around the list, Up and Down stopping at its first and last item; any other key cancels.
OverviewKeyOutcome OverviewKey(uint32_t virtualKey, int32_t selected, int32_t windowCount, int32_t columns);

// The first item whose shown rectangle holds the point (left and top inclusive), or -1; always -1
// while the overview is not laid out.
int32_t HitTestItem(const std::vector<Rect>& shownRects, bool laidOut, Point client);

// The screen point at the centre of an item, halves truncated toward zero.
Point ItemCentreOnScreen(const Rect& item, Point monitorOrigin);

}  // namespace corvan
