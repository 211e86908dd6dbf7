#include "input/tilt_rules.h"

#include <gtest/gtest.h>

#include "fake_window_tree.h"

namespace corvan {
namespace {

using W = FakeWindowTree::Window;
using Posts = std::vector<PostedMessage>;

constexpr uint32_t kVertical = kScrollBarVertical;
constexpr Point kCursor{500, 300};

// Line scroll then end, both with the scroll bar (or 0) as lParam.
Posts HScroll(WindowHandle target, int direction, WindowHandle bar) {
  const uint64_t line = direction < 0 ? kScrollLineLeft : kScrollLineRight;
  const auto lParam = static_cast<int64_t>(bar);
  return {{target, kMessageHScroll, line, lParam}, {target, kMessageHScroll, kScrollEnd, lParam}};
}

uint64_t Wheel(int16_t delta, uint32_t keys) { return (uint64_t{static_cast<uint16_t>(delta)} << 16) | keys; }
int64_t At(int x, int y) { return int64_t{static_cast<uint16_t>(x)} | (int64_t{static_cast<uint16_t>(y)} << 16); }

struct Row {
  const char* name;
  std::vector<W> windows;
  TiltScene scene;
  Posts expected;
};

TEST(TiltRules, EachRuleChoosesItsTargetAndForm) {
  const Row rows[] = {
      {"focus holds a horizontal bar",
       {{1, L"AppFrame"}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 1, 1}, HScroll(1, +1, 2)},
      {"to the left",
       {{1, L"AppFrame"}, {2, L"ScrollBar", 1}},
       {-1, 1, kCursor, 1, 1}, HScroll(1, -1, 2)},
      {"focus beside the bar: the bar's parent is the target",
       {{1, L"AppFrame"}, {3, L"Edit", 1}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 3, 3}, HScroll(1, +1, 2)},
      {"only a vertical bar: no bar handle",
       {{1, L"AppFrame"}, {2, L"ScrollBar", 1, kVertical}},
       {+1, 1, kCursor, 1, 1}, HScroll(1, +1, 0)},
      {"vertical bars are skipped, any window's bit 0 too",
       {{1, L"AppFrame"}, {2, L"ScrollBar", 1, kVertical}, {4, L"TScrollBar", 1, kVertical}, {3, L"ScrollBar", 1}},
       {+1, 1, kCursor, 1, 1}, HScroll(1, +1, 3)},
      {"depth first: a bar inside a panel comes before a later sibling",
       {{1, L"AppFrame"}, {4, L"Panel", 1}, {5, L"ScrollBar", 4}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 1, 1}, HScroll(1, +1, 5)},
      {"the other scroll bar classes count, exactly spelt",
       {{1, L"AppFrame"}, {2, L"scrollbar", 1}, {3, L"TScrollBar", 1}},
       {+1, 1, kCursor, 1, 1}, HScroll(1, +1, 3)},
      {"illustrator: control wheel down to the bar, nothing else",
       {{1, L"Illustrator.Frame"}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 1, 1}, {{2, kMessageMouseWheel, Wheel(-120, kKeyFlagControl), 0}}},
      {"illustrator: control wheel up for a left tilt",
       {{1, L"illustrator"}, {2, L"ScrollBar", 1}},
       {-1, 1, kCursor, 1, 1}, {{2, kMessageMouseWheel, Wheel(120, kKeyFlagControl), 0}}},
      {"illustrator only when the focus contains the bar",
       {{1, L"Illustrator"}, {3, L"Edit", 1}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 3, 3}, HScroll(1, +1, 2)},
      {"NUIScrollbar: its parent is the target",
       {{1, L"NetUIHWND"}, {3, L"Edit", 1}, {2, L"NUIScrollbar", 1}},
       {+1, 1, kCursor, 3, 3}, HScroll(1, +1, 2)},
      {"NUIScrollbar in an excel window: the focus stays",
       {{1, L"EXCEL7"}, {3, L"EXCEL<", 1}, {2, L"NUIScrollbar", 1}},
       {+1, 1, kCursor, 3, 3}, HScroll(3, +1, 2)},
      {"VISIOG keeps the focus",
       {{1, L"VisioFrame"}, {3, L"VISIOG", 1}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 3, 3}, HScroll(3, +1, 2)},
      {"no bar: a page control hands over to the draw box under the cursor",
       {{1, L"TPageControl"}, {7, L"TibDrawBox"}},
       {+1, 1, kCursor, 7, 1}, HScroll(7, +1, 0)},
      {"no bar: a page control elsewhere keeps the focus",
       {{1, L"TPageControl"}, {7, L"Other"}},
       {+1, 1, kCursor, 7, 1}, HScroll(1, +1, 0)},
      {"no bar: DirectUIHWND hands over to the window under the cursor",
       {{1, L"DirectUIHWND"}, {7, L"Anything"}},
       {-1, 1, kCursor, 7, 1}, HScroll(7, -1, 0)},
      {"a bar and a DirectUIHWND target: the bar itself is scrolled",
       {{1, L"DirectUIHWND"}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 7, 1}, HScroll(2, +1, 2)},
      {"PGL: a middle-button drag 10 pixels right in client coordinates",
       {{1, L"PGLView", 0, 0, {100, 100}}},
       {+1, 1, kCursor, 1, 1},
       {{1, kMessageMouseMove, kKeyFlagMiddleButton, At(400, 200)},
        {1, kMessageMouseMove, kKeyFlagMiddleButton, At(410, 200)}}},
      {"PGL: to the left",
       {{1, L"PGLView", 0, 0, {100, 100}}},
       {-1, 1, kCursor, 1, 1},
       {{1, kMessageMouseMove, kKeyFlagMiddleButton, At(400, 200)},
        {1, kMessageMouseMove, kKeyFlagMiddleButton, At(390, 200)}}},
      {"PGL inside iTunes: the drag, then the shift wheel to the window under the cursor",
       {{1, L"iTunes"}, {3, L"PGLView", 1}, {7, L"Pane", 1, 0, {50, 60}}},
       {+1, 1, kCursor, 7, 3},
       {{3, kMessageMouseMove, kKeyFlagMiddleButton, At(500, 300)},
        {3, kMessageMouseMove, kKeyFlagMiddleButton, At(510, 300)},
        {7, kMessageMouseWheel, Wheel(-120, kKeyFlagShift), At(52, 62)}}},
      {"pgl in lower case is not a drag",
       {{1, L"pglView"}},
       {+1, 1, kCursor, 1, 1}, HScroll(1, +1, 0)},
      {"Mozilla: one horizontal wheel with the cursor's screen position",
       {{1, L"MozillaWindowClass"}},
       {+1, 1, kCursor, 1, 1}, {{1, kMessageMouseHWheel, Wheel(120, 0), At(500, 300)}}},
      {"Mozilla on a monitor left of the primary",
       {{1, L"MozillaWindowClass"}},
       {-1, 1, {-5, 300}, 1, 1}, {{1, kMessageMouseHWheel, Wheel(-120, 0), At(-5, 300)}}},
      {"iTunes: a shift wheel to the window under the cursor, at its client (2, 2)",
       {{1, L"iTunes"}, {3, L"Pane", 1}, {7, L"Pane", 1, 0, {50, 60}}},
       {-1, 1, kCursor, 7, 3}, {{7, kMessageMouseWheel, Wheel(120, kKeyFlagShift), At(52, 62)}}},
      {"iTunes with nothing under the cursor: nothing",
       {{1, L"iTunes"}, {3, L"Pane", 1}},
       {+1, 1, kCursor, 0, 3}, {}},
      {"no focus window: nothing",
       {{1, L"AppFrame"}, {2, L"ScrollBar", 1}},
       {+1, 1, kCursor, 1, 0}, {}},
      {"DirectUIHWND with nothing under the cursor: nothing",
       {{1, L"DirectUIHWND"}},
       {+1, 1, kCursor, 0, 1}, {}},
      {"the focus window has gone: posted to nobody in particular, harmlessly",
       {},
       {+1, 0, kCursor, 0, 9}, HScroll(9, +1, 0)},
  };
  for (const Row& row : rows) {
    const FakeWindowTree tree(row.windows);
    EXPECT_EQ(PlanTiltStep(row.scene, tree), row.expected) << row.name;
  }
}

TEST(TiltRules, SearchStopsAtTheFirstHorizontalBar) {
  FakeWindowTree tree({{1, L"AppFrame"}, {2, L"ScrollBar", 1}, {3, L"Button", 1}, {4, L"Button", 1}});
  EXPECT_EQ(FindHorizontalScrollBar(tree, 1), 2u);
  EXPECT_EQ(tree.visited(), 1);
}

}  // namespace
}  // namespace corvan
