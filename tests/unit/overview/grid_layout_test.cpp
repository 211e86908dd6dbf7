#include "overview/grid_layout.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

TEST(OverviewGrid, ColumnsRowsCellsAndLargestItemOnAFullHdMonitor) {
  struct Row {
    int32_t windows;
    int32_t columns, rows, cellWidth, cellHeight, maxWidth, maxHeight;
  };
  const Row rows[] = {
      // windows  grid     cell         largest item
      {0,         1, 1,   1921, 1081,  960, 540},   // nothing listed: one cell, nothing placed
      {1,         1, 1,   1921, 1081,  960, 540},   // a half
      {2,         2, 1,   960, 1081,   480, 540},
      {3,         2, 2,   960, 540,    480, 270},
      {4,         2, 2,   960, 540,    480, 270},   // 1920 x 1080 with 4 windows: 960 x 540, 480 x 270
      {5,         3, 2,   640, 540,    384, 324},   // three fifths
      {7,         3, 3,   640, 360,    384, 216},
      {10,        4, 3,   480, 360,    320, 240},   // two thirds
      {13,        4, 4,   480, 270,    320, 180},
      {16,        4, 4,   480, 270,    320, 180},
      {400,       20, 20, 96, 54,      64, 36},
  };
  for (const Row& r : rows) {
    const OverviewGrid grid = ComputeGrid(1920, 1080, r.windows);
    EXPECT_EQ(grid.columns, r.columns) << r.windows;
    EXPECT_EQ(grid.rows, r.rows) << r.windows;
    EXPECT_EQ(grid.cellWidth, r.cellWidth) << r.windows;
    EXPECT_EQ(grid.cellHeight, r.cellHeight) << r.windows;
    EXPECT_EQ(grid.maxItemWidth, r.maxWidth) << r.windows;
    EXPECT_EQ(grid.maxItemHeight, r.maxHeight) << r.windows;
  }
}

TEST(OverviewGrid, ItemsKeepTheirWindowsProportions) {
  const OverviewGrid four = ComputeGrid(1920, 1080, 4);  // largest item 480 x 270
  struct Row {
    const char* what;
    int32_t sourceWidth, sourceHeight;
    ItemSize item, snapshotItem;
  };
  const Row rows[] = {
      {"16:9 fills the largest item",        1600, 900,   {480, 270}, {480, 270}},
      {"wide: limited by the width",         2000, 500,   {480, 120}, {480, 120}},
      {"tall: limited by the height",        500, 2000,   {67, 270},  {67, 270}},
      {"a minimised window's 160 x 28 + 1",  161, 29,     {480, 86},  {480, 86}},
      {"a 5000 x 10 strip",                  5000, 10,    {480, 0},   {480, 48}},
      {"a 10 x 5000 strip",                  10, 5000,    {0, 270},   {48, 270}},
      {"an empty source",                    0, 0,        {0, 0},     {48, 48}},
      {"a window of absurd size",            2000000000, 1000000000, {480, 240}, {480, 240}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(FitItem(four, r.sourceWidth, r.sourceHeight), r.item) << r.what;
    EXPECT_EQ(FitSnapshotItem(four, r.sourceWidth, r.sourceHeight), r.snapshotItem) << r.what;
  }
}

TEST(OverviewGrid, ItemsAreCentredInTheirCellsRowByRow) {
  const OverviewGrid five = ComputeGrid(1920, 1080, 5);  // 3 x 2 cells of 640 x 540
  struct Row {
    int32_t index;
    ItemSize size;
    Rect placed;
  };
  const Row rows[] = {
      {0, {384, 216}, {128, 162, 512, 378}},
      {2, {384, 216}, {1408, 162, 1792, 378}},
      {3, {384, 216}, {128, 702, 512, 918}},   // second row
      {4, {101, 51},  {909, 784, 1010, 835}},  // odd remainders truncate
      {1, {700, 48},  {610, 246, 1310, 294}},  // wider than the cell: halves truncate toward zero
  };
  for (const Row& r : rows) EXPECT_EQ(PlaceItem(five, r.index, r.size), r.placed) << r.index;
  EXPECT_EQ(CellOf(five, 4), (Rect{640, 540, 1280, 1080}));
}

}  // namespace
}  // namespace corvan
