#include "overview/selection_keys.h"

#include <algorithm>

namespace corvan {

OverviewKeyOutcome OverviewKey(uint32_t virtualKey, int32_t selected, int32_t windowCount, int32_t columns) {
  using Kind = OverviewKeyOutcome::Kind;
  const bool arrow = virtualKey >= kKeyLeft && virtualKey <= kKeyDown;
  if (arrow && windowCount <= 0) return {};
  switch (virtualKey) {
    case kKeyReturn:
      return {Kind::Choose, selected};
    case kKeyLeft:
      return {Kind::MoveSelection, selected - 1 < 0 ? windowCount - 1 : selected - 1};
    case kKeyUp:
      return {Kind::MoveSelection, std::max(selected - columns, 0)};
    case kKeyRight:
      return {Kind::MoveSelection, (selected + 1) % windowCount};
    case kKeyDown:
      return {Kind::MoveSelection, std::min(selected + columns, windowCount - 1)};
    default:
      return {Kind::Cancel, -1};
  }
}

int32_t HitTestItem(const std::vector<Rect>& shownRects, bool laidOut, Point client) {
  if (!laidOut) return -1;
  for (size_t i = 0; i < shownRects.size(); ++i) {
    if (shownRects[i].Contains(client)) return static_cast<int32_t>(i);
  }
  return -1;
}

Point ItemCentreOnScreen(const Rect& item, Point monitorOrigin) {
  return {monitorOrigin.x + (item.left + item.right) / 2, monitorOrigin.y + (item.top + item.bottom) / 2};
}

}  // namespace corvan
