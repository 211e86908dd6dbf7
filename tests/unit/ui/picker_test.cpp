#include "ui/picker.h"

#include <gtest/gtest.h>

#include <string>

namespace corvan {
namespace {

const Catalogue kCatalogue = BuildCatalogue(DefaultFunctionLabels(), false);
const PickerRows kTopLevel = GroupMembers(kCatalogue, 0);     // "No function" and five groups
const PickerRows kFunctionKeys = GroupMembers(kCatalogue, 30);  // seven

PickerRows Rows(int count) {
  PickerRows rows(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) rows[static_cast<size_t>(i)].index = i;
  return rows;
}

TEST(Picker, ListHeights) {
  EXPECT_EQ(kTopLevel.size(), 6u);
  EXPECT_EQ(PickerListHeight(kTopLevel), 224);
  EXPECT_EQ(PickerListHeight(kFunctionKeys), 260);
  EXPECT_EQ(PickerListHeight(GroupMembers(kCatalogue, 999)), 8) << "an empty group";
  PickerRows withSeparator = Rows(2);
  _QxItemListDB separator;
  separator.kind = kKindTall;
  withSeparator.insert(withSeparator.begin() + 1, separator);
  EXPECT_EQ(PickerListHeight(withSeparator), 8 + 36 + 8 + 36);
}

TEST(Picker, PlacedOnTheWorkAreaUnderThePointer) {
  const Rect screen{0, 0, 1280, 770};
  struct Row { const char* name; Point requested; Rect workArea; int rows; PickerPlacement expected; };
  const Row rows[] = {
      {"room everywhere",           {100, 100},   screen,                 6,  {100, 100, 300, 224}},
      {"near the right edge",       {1100, 100},  screen,                 6,  {981, 100, 300, 224}},
      {"exactly fitting the right", {980, 100},   screen,                 6,  {980, 100, 300, 224}},
      {"near the bottom",           {100, 700},   screen,                 6,  {100, 546, 300, 224}},
      {"the bottom-right corner",   {1270, 760},  screen,                 6,  {981, 546, 300, 224}},
      {"left and top do not move",  {-50, -20},   screen,                 6,  {-50, -20, 300, 224}},
      {"taller than the work area", {100, 100},   {0, 0, 1280, 300},     20, {100, 4, 300, 296}},
      {"cut on a monitor above",    {100, -500},  {0, -600, 1280, -300},  20, {100, -596, 300, 296}},
      {"a monitor on the left",     {-200, 100},  {-1280, 0, 0, 770},     6,  {-299, 100, 300, 224}},
      {"smaller than one row",      {10, 10},     {0, 0, 800, 30},        6,  {10, 22, 300, 8}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(PlacePicker(row.requested, Rows(row.rows), row.workArea), row.expected) << row.name;
  }
  // (A - 7) - ((A - 7) mod 36) + 8 for A = 300: 293 - 5 + 8.
  EXPECT_EQ((300 - 7) - ((300 - 7) % 36) + 8, 296);
}

TEST(Picker, SubListsOpenBesideTheRowOnTheSideWithRoom) {
  const Rect monitor{0, 0, 1280, 800};
  const Rect list{100, 50, 400, 274};
  struct Row { const char* name; Rect window; bool showsGroup; int side; Rect monitor; int firstRow, row;
               SubListPlacement expected; };
  const Row rows[] = {
      {"to the right, level with row 3", list,               false, 0, monitor, 0, 3, {{389, 50 + 4 + 3 * 36}, 0}},
      {"level with row 3 scrolled by 2", list,               false, 0, monitor, 2, 3, {{389, 50 + 4 + 36}, 0}},
      {"no room on the right: left",     {1000, 50, 1300, 274}, false, 0, monitor, 0, 0, {{711, 54}, 1}},
      {"a sub-list's sub-list keeps left", {700, 50, 1000, 274}, true, 1, monitor, 0, 1, {{411, 90}, 1}},
      {"no room on the left: back right", {50, 50, 350, 274},  true, 1, monitor, 0, 0, {{339, 54}, 0}},
      {"the top level ignores its side", list,               false, 1, monitor, 0, 0, {{389, 54}, 1}},
      {"a monitor left of the primary",  {-400, 50, -100, 274}, false, 0, {-1280, 0, 0, 800}, 0, 0,
       {{-689, 54}, 1}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(PlaceSubList(row.window, row.showsGroup, row.side, row.monitor, kFunctionKeys, row.firstRow, row.row),
              row.expected)
        << row.name;
  }
}

TEST(Picker, HitTestFindsTheRowUnderThePoint) {
  const PickerRows rows = Rows(10);
  struct Row { Point client; int firstRow; int clientHeight; int expected; };
  const Row cases[] = {
      {{10, 4}, 0, 224, 0},   {{10, 39}, 0, 224, 0},  {{10, 40}, 0, 224, 1},   {{10, 219}, 0, 224, 5},
      {{10, 3}, 0, 224, -1},  {{3, 50}, 0, 224, -1},  {{296, 50}, 0, 224, -1}, {{295, 50}, 0, 224, 1},
      {{10, 220}, 0, 224, -1},                         // the inset below the last row
      {{10, 10}, 3, 224, 3},  {{10, 200}, 4, 224, 9},  // scrolled: the first row drawn is at the top
      {{10, 210}, 5, 224, -1},                         // past the last row
  };
  for (const Row& c : cases) {
    EXPECT_EQ(PickerHitRow(rows, c.firstRow, c.client, 300, c.clientHeight), c.expected)
        << c.client.x << "," << c.client.y << " from row " << c.firstRow;
  }
}

// Steps until at rest, collecting the first row and offset after each step.
std::string Slide(PickerScroll& scroll, const PickerRows& rows) {
  std::string steps;
  for (int guard = 0; guard < 100 && !scroll.AtRest(); ++guard) {
    scroll.Step(rows);
    steps += std::to_string(scroll.firstRow()) + ":" + std::to_string(scroll.offset()) + " ";
  }
  return steps;
}

TEST(Picker, TheWheelScrollsOneRowAndTheRowsSlideIntoPlace) {
  const PickerRows rows = Rows(10);  // 368 high, cut to 296 on a short screen
  PickerScroll scroll;
  EXPECT_FALSE(scroll.OnWheel(120, rows, 296)) << "nothing above the first row";
  ASSERT_TRUE(scroll.OnWheel(-120, rows, 296));
  EXPECT_EQ(Slide(scroll, rows), "1:36 1:32 1:28 1:24 1:20 1:16 1:12 1:8 1:4 1:2 1:0 ");
  ASSERT_TRUE(scroll.OnWheel(120, rows, 296));
  EXPECT_EQ(Slide(scroll, rows), "0:-36 0:-32 0:-28 0:-24 0:-20 0:-16 0:-12 0:-8 0:-4 0:-2 0:0 ");

  // Quick notches walk the first row a step at a time and slide only the last step.
  scroll.OnWheel(-120, rows, 296);
  scroll.OnWheel(-120, rows, 296);
  EXPECT_EQ(scroll.targetRow(), 2);
  EXPECT_EQ(Slide(scroll, rows).substr(0, 10), "1:0 2:36 2");
  EXPECT_TRUE(scroll.AtRest());
}

TEST(Picker, TheWheelStopsWhereTheListEnds) {
  PickerScroll scroll;
  EXPECT_FALSE(scroll.OnWheel(-120, kTopLevel, 224)) << "a list that fits does not scroll";
  const PickerRows rows = Rows(10);
  int notches = 0;
  while (scroll.OnWheel(-120, rows, 296)) ++notches;
  EXPECT_EQ(notches, 2) << "rows 8 and 9 are below a 296-pixel list of eight rows";
  Slide(scroll, rows);
  while (scroll.OnWheel(120, rows, 296)) --notches;
  EXPECT_EQ(notches, 0);
  EXPECT_EQ(scroll.targetRow(), 0);
}

TEST(Picker, TheButtonOrderListHasTheSixOrdersEachAtItsValue) {
  const PickerRows rows = ButtonOrderRows(BuildOrderLabels(L"Links", L"Rechts", L"Mitte"));
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0].label, L"Mitte \u00B7 Links \u00B7 Rechts");
  EXPECT_EQ(rows[4].label, L"Links \u00B7 Rechts \u00B7 Mitte");
  for (int32_t order = 0; order < 6; ++order) {
    const _QxItemListDB& row = rows[static_cast<size_t>(order)];
    EXPECT_EQ(row.index, order) << "the choice names the order";
    EXPECT_EQ(row.kind, kKindItem) << "no row opens a sub-list";
    EXPECT_EQ(row.parent, 0);
  }
  EXPECT_EQ(PickerListHeight(rows), 8 + 6 * kPickerRowHeight);
}

TEST(Picker, AChoiceAsksWhatTheListWasOpenedFor) {
  EXPECT_EQ(ChoiceKind(PickerMode::Editor), kPickerAssign);
  EXPECT_EQ(ChoiceKind(PickerMode::QuickLaunch), kPickerRun);
  EXPECT_EQ(ChoiceKind(PickerMode::ButtonOrder), kPickerOrder);
}

// The list is placed at 96 DPI in a work area taken back there, and its edges scaled: at every
// scale it stays on the work area and is its size at 96 DPI times the scale.
TEST(Picker, AtEveryScaleTheListStaysOnTheWorkAreaAtItsScaledSize) {
  const PickerRows rows = ButtonOrderRows(BuildOrderLabels(L"Left", L"Right", L"Middle"));
  const Rect works[] = {{0, 0, 1920, 1040}, {-1280, 0, 0, 984}, {0, 0, 1366, 728}};
  for (int32_t dpi : {96, 120, 144, 192}) {
    const DisplayScale scale{dpi};
    for (const Rect& work : works) {
      const Rect workAt96 = scale.Base(work);
      for (const Point at : {Point{work.left + 10, work.top + 10}, Point{work.right - 5, work.bottom - 5},
                             Point{(work.left + work.right) / 2, work.bottom - 100}}) {
        const PickerPlacement place = PlacementAtScale(PlacePicker(scale.Base(at), rows, workAt96), scale);
        EXPECT_GE(place.x, work.left - 1) << dpi;
        // At 96 DPI a list at the right edge ends one pixel past it; that pixel scales too, and
        // the edge taken back to 96 DPI may round by one more.
        EXPECT_LE(place.x + place.width, work.right + (scale.IsBase() ? 1 : scale.Px(1) + 1)) << dpi;
        EXPECT_GE(place.y, work.top) << dpi;
        EXPECT_LE(place.y + place.height, work.bottom) << dpi;
        EXPECT_NEAR(place.width, kPickerWidth * scale.Factor(), 1) << dpi;
        EXPECT_NEAR(place.height, PickerListHeight(rows) * scale.Factor(), 1) << dpi;
      }
    }
  }
}

}  // namespace
}  // namespace corvan
