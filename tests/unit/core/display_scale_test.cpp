#include "core/display_scale.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

TEST(DisplayScale, LengthsScaleToTheNearestPixel) {
  struct Row { int32_t dpi; int32_t window; int32_t row; int32_t odd; int32_t negative; };
  const Row rows[] = {
      // 665 wide, 36-pixel rows, a length of 5, an offset of -3.
      {96, 665, 36, 5, -3},
      {120, 831, 45, 6, -4},   // 831.25, 45, 6.25, -3.75
      {144, 998, 54, 8, -4},   // 997.5 rounds up, 7.5 and -4.5 too
      {192, 1330, 72, 10, -6},
  };
  for (const Row& row : rows) {
    const DisplayScale scale{row.dpi};
    EXPECT_EQ(scale.Px(665), row.window) << row.dpi;
    EXPECT_EQ(scale.Px(36), row.row) << row.dpi;
    EXPECT_EQ(scale.Px(5), row.odd) << row.dpi;
    EXPECT_EQ(scale.Px(-3), row.negative) << row.dpi;
  }
}

TEST(DisplayScale, APointScaledAndBackIsWhereItWas) {
  for (int32_t dpi : {96, 120, 144, 168, 192, 288}) {
    const DisplayScale scale{dpi};
    for (int32_t v = -700; v <= 700; ++v) ASSERT_EQ(scale.Base(scale.Px(v)), v) << dpi;
  }
  EXPECT_EQ(DisplayScale{144}.Base(Point{150, 75}), (Point{100, 50}));
}

TEST(DisplayScale, EveryPixelOfAScaledBoxMapsBackIntoTheBox) {
  for (int32_t dpi : {72, 96, 120, 144, 168, 192}) {
    const DisplayScale scale{dpi};
    for (int32_t left = -40; left < 40; ++left) {
      const int32_t right = left + 7;
      for (int32_t x = scale.Px(left); x < scale.Px(right); ++x) {
        const int32_t back = scale.Base(x);
        ASSERT_TRUE(back >= left && back < right) << dpi << ": pixel " << x << " of [" << left << ", " << right << ")";
      }
    }
  }
}

TEST(DisplayScale, ANonsenseDpiLeavesLengthsAsTheyAre) {
  EXPECT_EQ(DisplayScale{0}.Base(120), 120);
  EXPECT_EQ(DisplayScale{-5}.Px(120), 120);
  EXPECT_EQ((DisplayScale{144}.Px(Rect{10, 20, 30, 40})), (Rect{15, 30, 45, 60}));
}

}  // namespace
}  // namespace corvan
