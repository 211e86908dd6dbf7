#include "overview/selection_keys.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

using Kind = OverviewKeyOutcome::Kind;

TEST(OverviewKeys, ArrowsWrapOrStopEnterChoosesOtherKeysCancel) {
  struct Row {
    const char* what;
    uint32_t key;
    int32_t selected, windows, columns;
    OverviewKeyOutcome outcome;
  };
  constexpr uint32_t kEscape = 27;
  constexpr uint32_t kSpace = 32;
  const Row rows[] = {
      {"Enter chooses the selected",         kKeyReturn, 3, 7, 3,  {Kind::Choose, 3}},
      {"Enter with nothing selected",        kKeyReturn, -1, 0, 1, {Kind::Choose, -1}},
      {"Left",                               kKeyLeft, 3, 7, 3,    {Kind::MoveSelection, 2}},
      {"Left on the first wraps to the last", kKeyLeft, 0, 7, 3,   {Kind::MoveSelection, 6}},
      {"Right",                              kKeyRight, 3, 7, 3,   {Kind::MoveSelection, 4}},
      {"Right on the last wraps to the first", kKeyRight, 6, 7, 3, {Kind::MoveSelection, 0}},
      {"Up one row",                         kKeyUp, 4, 7, 3,      {Kind::MoveSelection, 1}},
      {"Up in the first row goes to item 0", kKeyUp, 2, 7, 3,      {Kind::MoveSelection, 0}},
      {"Down one row",                       kKeyDown, 1, 7, 3,    {Kind::MoveSelection, 4}},
      {"Down in the last row goes to the last", kKeyDown, 5, 7, 3, {Kind::MoveSelection, 6}},
      {"Down from a short row's top",        kKeyDown, 4, 7, 3,    {Kind::MoveSelection, 6}},
      {"Right with nothing selected",        kKeyRight, -1, 4, 2,  {Kind::MoveSelection, 0}},
      {"Left with nothing selected",         kKeyLeft, -1, 4, 2,   {Kind::MoveSelection, 3}},
      {"one window: Right stays",            kKeyRight, 0, 1, 1,   {Kind::MoveSelection, 0}},
      {"empty list: Left does nothing",      kKeyLeft, -1, 0, 1,   {}},
      {"empty list: Up does nothing",        kKeyUp, -1, 0, 1,     {}},
      {"empty list: Right does nothing",     kKeyRight, -1, 0, 1,  {}},
      {"empty list: Down does nothing",      kKeyDown, -1, 0, 1,   {}},
      {"Escape cancels",                     kEscape, 3, 7, 3,     {Kind::Cancel, -1}},
      {"Space cancels",                      kSpace, 3, 7, 3,      {Kind::Cancel, -1}},
      {"any key cancels an empty overview",  kEscape, -1, 0, 1,    {Kind::Cancel, -1}},
  };
  for (const Row& r : rows) EXPECT_EQ(OverviewKey(r.key, r.selected, r.windows, r.columns), r.outcome) << r.what;
}

TEST(OverviewHitTest, FirstShownRectangleHoldingThePoint) {
  const std::vector<Rect> shown = {{100, 100, 200, 200}, {150, 150, 300, 300}, {400, 100, 500, 200}};
  struct Row {
    const char* what;
    Point point;
    bool laidOut;
    int32_t hit;
  };
  const Row rows[] = {
      {"inside the first",                {120, 120}, true, 0},
      {"left and top edges are inside",   {100, 100}, true, 0},
      {"right and bottom edges are not",  {200, 120}, true, -1},
      {"overlap: the lower index wins",   {160, 160}, true, 0},
      {"only in the grown second",        {250, 250}, true, 1},
      {"between items",                   {350, 150}, true, -1},
      {"third",                           {499, 199}, true, 2},
      {"not laid out yet",                {120, 120}, false, -1},
  };
  for (const Row& r : rows) EXPECT_EQ(HitTestItem(shown, r.laidOut, r.point), r.hit) << r.what;
  EXPECT_EQ(HitTestItem({}, true, {0, 0}), -1) << "no items";
}

TEST(OverviewHitTest, ItemCentreOnTheScreenOfASecondMonitor) {
  EXPECT_EQ(ItemCentreOnScreen({100, 100, 201, 151}, {1920, 0}), (Point{1920 + 150, 125}));
  EXPECT_EQ(ItemCentreOnScreen({-7, 0, 0, 10}, {-1280, 0}), (Point{-1280 - 3, 5})) << "toward zero";
}

}  // namespace
}  // namespace corvan
