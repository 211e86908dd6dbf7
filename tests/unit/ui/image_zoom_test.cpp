#include "ui/image_zoom.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvan {
namespace {

TEST(ImageZoom, TheSmallestImageAtLeastAsLargeAsItsPlaceOnScreen) {
  const std::vector<int32_t> oneAndTwo{1, 2};
  struct Row { int32_t dpi; int32_t zoom; };
  const Row rows[] = {
      {96, 1},   // exactly the base picture
      {72, 1},   // smaller than 100 %: scaled down
      {120, 2},  // 125 %: the base picture would be scaled up
      {144, 2},
      {192, 2},  // exactly the double picture
      {288, 2},  // beyond every picture: the largest
  };
  for (const Row& row : rows) EXPECT_EQ(ImageZoomFor(DisplayScale{row.dpi}, oneAndTwo), row.zoom) << row.dpi;
  EXPECT_EQ(ImageZoomFor(DisplayScale{192}, std::vector<int32_t>{1}), 1) << "only one size";
  EXPECT_EQ(ImageZoomFor(DisplayScale{192}, std::vector<int32_t>{}), 1);
}

}  // namespace
}  // namespace corvan
