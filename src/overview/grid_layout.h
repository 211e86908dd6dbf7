#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace corvan {

// The overview's grid over the monitor: as many columns as rows, or one more column, just enough
// cells for every window; items fill a fraction of their cell that shrinks as windows get many.
struct OverviewGrid {
  int32_t columns = 1;
  int32_t rows = 1;
  int32_t cellWidth = 0;
  int32_t cellHeight = 0;
  // The largest item that fits the cell at this window count.
  int32_t maxItemWidth = 0;
  int32_t maxItemHeight = 0;
};

struct ItemSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const ItemSize&) const = default;
};

// No snapshot item is smaller than this on either side, however small its window.
inline constexpr int32_t kMinSnapshotItemSide = 48;

OverviewGrid ComputeGrid(int32_t width, int32_t height, int32_t windowCount);

// The source (a window, a thumbnail) fitted into the grid's largest item with its proportions
// kept: the full height unless that makes it too wide. An empty source gives an empty item.
ItemSize FitItem(const OverviewGrid& grid, int32_t sourceWidth, int32_t sourceHeight);

// The same for a snapshot item, raised to at least kMinSnapshotItemSide on each side.
ItemSize FitSnapshotItem(const OverviewGrid& grid, int32_t sourceWidth, int32_t sourceHeight);

// An item of that size centred in the cell of its index (row by row).
Rect PlaceItem(const OverviewGrid& grid, int32_t index, ItemSize size);

// The whole cell of an index.
Rect CellOf(const OverviewGrid& grid, int32_t index);

}  // namespace corvan
