#include "overview/grow_shrink.h"

#include <gtest/gtest.h>

#include "overview/grid_layout.h"

namespace corvan {
namespace {

TEST(GrowSteps, StepAndMarginByWindowCount) {
  struct Row {
    int32_t windows;
    int32_t thumbnailStep, snapshotStep, margin;
  };
  const Row rows[] = {
      {1, 16, 24, 60}, {2, 16, 24, 60}, {3, 12, 18, 60}, {4, 12, 18, 60}, {5, 8, 12, 30},
      {6, 8, 12, 30},  {7, 8, 12, 20},  {9, 8, 12, 20},  {10, 4, 6, 10},  {400, 4, 6, 10},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(GrowStepSize(r.windows, true), r.thumbnailStep) << r.windows;
    EXPECT_EQ(GrowStepSize(r.windows, false), r.snapshotStep) << r.windows;
    EXPECT_EQ(GrowMargin(r.windows), r.margin) << r.windows;
  }
}

TEST(GrowSteps, TheLongerSideMovesByTheStep) {
  EXPECT_EQ(ProportionalStep(16, 800, 600), (Growth{16, 12}));
  EXPECT_EQ(ProportionalStep(16, 600, 800), (Growth{12, 16}));
  EXPECT_EQ(ProportionalStep(24, 300, 300), (Growth{24, 24}));
  EXPECT_EQ(ProportionalStep(8, 0, 0), (Growth{8, 8})) << "a thumbnail without a size still ends growing";
  EXPECT_EQ(GrownRect({100, 100, 200, 150}, {2.9, 1.5}), (Rect{97, 98, 202, 151})) << "truncated toward zero";
}

// Two windows on a 1920 x 1080 monitor with live thumbnails; the first is 4:3.
class TwoWindowGrowth : public ::testing::Test {
 protected:
  void SetUp() override {
    const OverviewGrid grid = ComputeGrid(1920, 1080, 2);
    const int32_t step = GrowStepSize(2, true);
    std::vector<GrowShrinkAnimation::Item> items;
    items.push_back({PlaceItem(grid, 0, FitItem(grid, 800, 600)), CellOf(grid, 0), ProportionalStep(step, 800, 600)});
    items.push_back({PlaceItem(grid, 1, FitItem(grid, 600, 800)), CellOf(grid, 1), ProportionalStep(step, 600, 800)});
    animation.Reset(items, GrowMargin(2));
  }
  // Steps until nothing moves; the number of steps taken (bounded).
  int Settle() {
    int steps = 0;
    while (animation.Moving() && steps < 1000) {
      animation.Step();
      ++steps;
    }
    return steps;
  }
  Rect Shown(int i) const { return animation.shownRects()[static_cast<size_t>(i)]; }
  GrowShrinkAnimation animation;
};

TEST_F(TwoWindowGrowth, AFourByThreeItemGrowsSixteenAndTwelveAStepUntilSixtyFromItsCell) {
  ASSERT_EQ(Shown(0), (Rect{240, 360, 720, 720}));
  EXPECT_FALSE(animation.Moving()) << "nothing selected, nothing moves";
  animation.Select(0);
  EXPECT_EQ(animation.Step(), (std::vector<int32_t>{0}));
  EXPECT_EQ(Shown(0), (Rect{224, 348, 736, 732}));
  animation.Step();
  EXPECT_EQ(Shown(0), (Rect{208, 336, 752, 744}));
  // The cell is 960 x 1081: the 14th step would make the item 928 wide, within 60 of 960.
  for (int k = 3; k <= 13; ++k) animation.Step();
  EXPECT_EQ(Shown(0), (Rect{32, 204, 928, 876})) << "896 x 672 after 13 steps";
  EXPECT_TRUE(animation.Moving());
  EXPECT_TRUE(animation.Step().empty()) << "the 14th step is not shown";
  EXPECT_EQ(Shown(0), (Rect{32, 204, 928, 876}));
  EXPECT_EQ(animation.growth(0), (Growth{224, 168})) << "one step more than shown";
  EXPECT_FALSE(animation.Moving()) << "grown: rests until deselected";
}

TEST_F(TwoWindowGrowth, TheDeselectedItemShrinksBackToRestWhileTheOtherGrows) {
  const Rect rest0 = Shown(0);
  const Rect rest1 = Shown(1);
  animation.Select(0);
  Settle();
  animation.Select(1);
  EXPECT_EQ(animation.Step(), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(animation.growth(0), (Growth{208, 156}));
  EXPECT_EQ(Shown(0), (Rect{32, 204, 928, 876})) << "its first step back shows the last grown size";
  Settle();
  EXPECT_EQ(Shown(0), rest0);
  EXPECT_EQ(animation.growth(0), (Growth{}));
  EXPECT_NE(Shown(1), rest1);
}

TEST_F(TwoWindowGrowth, ReselectingAShrinkingItemGrowsOnFromWhereItIs) {
  animation.Select(0);
  Settle();
  animation.Select(1);
  for (int i = 0; i < 3; ++i) animation.Step();
  EXPECT_EQ(animation.growth(0), (Growth{176, 132}));
  animation.Select(0);
  animation.Step();
  EXPECT_EQ(animation.growth(0), (Growth{192, 144})) << "grows from the growth reached";
  EXPECT_EQ(Shown(0), (Rect{48, 216, 912, 864}));
  EXPECT_EQ(animation.growth(1), (Growth{24, 32})) << "item 1 grew three steps and is one step back";
}

TEST_F(TwoWindowGrowth, PointerFlickingBetweenTwoItemsNeverLeavesBothGrown) {
  const Rect rest1 = Shown(1);
  for (int i = 0; i < 50; ++i) {
    animation.Select(i % 2);
    animation.Step();
    if (i % 7 == 0) animation.Step();
  }
  animation.Select(0);
  Settle();
  EXPECT_EQ(animation.growth(1), (Growth{}));
  EXPECT_EQ(Shown(1), rest1);
  EXPECT_NE(animation.growth(0), (Growth{}));
  EXPECT_LT(Settle(), 1) << "settled";
}

TEST_F(TwoWindowGrowth, SelectingNothingOrAnUnknownItem) {
  animation.Select(5);
  EXPECT_EQ(animation.selected(), -1);
  EXPECT_FALSE(animation.Moving());
  animation.Select(1);
  animation.Step();
  animation.Select(-1);
  EXPECT_EQ(animation.selected(), -1);
  Settle();
  EXPECT_EQ(animation.growth(1), (Growth{}));
}

TEST(GrowShrink, AnItemTooBigForItsCellStopsAtOnce) {
  GrowShrinkAnimation animation;
  animation.Reset({{{0, 0, 50, 50}, {0, 0, 100, 100}, {24, 24}}}, 60);
  animation.Select(0);
  EXPECT_TRUE(animation.Step().empty());
  EXPECT_FALSE(animation.Moving());
  EXPECT_EQ(animation.shownRects()[0], (Rect{0, 0, 50, 50}));
  animation.Select(-1);
  EXPECT_EQ(animation.Step(), (std::vector<int32_t>{0})) << "the step it holds is taken back";
  EXPECT_FALSE(animation.Moving());
}

}  // namespace
}  // namespace corvan
