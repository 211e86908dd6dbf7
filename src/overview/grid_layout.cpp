#include "overview/grid_layout.h"

#include <algorithm>

namespace corvan {
namespace {

int32_t FractionOfCell(int32_t cell, int32_t windowCount) {
  if (windowCount < 5) return cell / 2;
  if (windowCount < 10) return cell * 3 / 5;
  return cell * 2 / 3;
}

}  // namespace

OverviewGrid ComputeGrid(int32_t width, int32_t height, int32_t windowCount) {
  OverviewGrid grid;
  while (grid.columns * grid.rows < windowCount) {
    if (grid.columns == grid.rows) {
      ++grid.columns;
    } else {
      ++grid.rows;
    }
  }
  grid.cellWidth = (width + 1) / grid.columns;
  grid.cellHeight = (height + 1) / grid.rows;
  grid.maxItemWidth = FractionOfCell(grid.cellWidth, windowCount);
  grid.maxItemHeight = FractionOfCell(grid.cellHeight, windowCount);
  return grid;
}

ItemSize FitItem(const OverviewGrid& grid, int32_t sourceWidth, int32_t sourceHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0) return {};
  // 64-bit products: a window may claim a size far beyond any screen.
  int64_t h = grid.maxItemHeight;
  int64_t w = int64_t{sourceWidth} * grid.maxItemHeight / sourceHeight;
  if (w > grid.maxItemWidth) {
    h = int64_t{grid.maxItemWidth} * sourceHeight / sourceWidth;
    w = grid.maxItemWidth;
  }
  return {static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

ItemSize FitSnapshotItem(const OverviewGrid& grid, int32_t sourceWidth, int32_t sourceHeight) {
  const ItemSize fitted = FitItem(grid, sourceWidth, sourceHeight);
  return {std::max(fitted.width, kMinSnapshotItemSide), std::max(fitted.height, kMinSnapshotItemSide)};
}

Rect CellOf(const OverviewGrid& grid, int32_t index) {
  const int32_t column = index % grid.columns;
  const int32_t row = index / grid.columns;
  return {column * grid.cellWidth, row * grid.cellHeight, (column + 1) * grid.cellWidth, (row + 1) * grid.cellHeight};
}

Rect PlaceItem(const OverviewGrid& grid, int32_t index, ItemSize size) {
  const Rect cell = CellOf(grid, index);
  const int32_t left = cell.left + (grid.cellWidth - size.width) / 2;
  const int32_t top = cell.top + (grid.cellHeight - size.height) / 2;
  return {left, top, left + size.width, top + size.height};
}

}  // namespace corvan
