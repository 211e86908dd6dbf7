#include "ui/region.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvan {
namespace {

// '#' opaque, '+' barely visible (alpha 1), '.' fully transparent, 'o' transparent with colour
// left in its channels (as a decoder may leave it).
ArgbImage FromRows(const std::vector<std::string>& rows, int extraStridePixels = 0) {
  const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  ArgbImage image(width, static_cast<int>(rows.size()), (width + extraStridePixels) * 4);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < width; ++x) {
      const char c = rows[y][x];
      image.Set(x, y, c == '#' ? 0xFF808080 : c == '+' ? 0x01000000 : c == 'o' ? 0x00FFFFFF : 0);
    }
    // The padding past the width is opaque: a run that read it would not end at the width.
    for (int x = width; x < width + extraStridePixels; ++x) image.Row(y)[x] = 0xFFFFFFFF;
  }
  return image;
}

TEST(RegionFromImage, RunsPerRow) {
  struct Row {
    const char* name;
    std::vector<std::string> pixels;
    std::vector<RegionRect> rects;
  };
  const Row rows[] = {
      {"fully transparent", {"....", "oooo"}, {}},
      {"one opaque pixel", {"#"}, {{0, 0, 1, 1}}},
      {"one transparent pixel", {"."}, {}},
      {"a hole inside a row", {"##.#."}, {{0, 0, 2, 1}, {3, 0, 4, 1}}},
      {"right-most column opaque", {"..##", "...#"}, {{2, 0, 4, 1}, {3, 1, 4, 2}}},
      {"equal rows stay apart", {".##", ".##"}, {{1, 0, 3, 1}, {1, 1, 3, 2}}},
      {"alpha 1 belongs, colour without alpha does not", {"+o+"}, {{0, 0, 1, 1}, {2, 0, 3, 1}}},
      {"opaque image", {"###", "###"}, {{0, 0, 3, 1}, {0, 1, 3, 2}}},
  };
  for (const Row& r : rows) {
    const ArgbImage image = FromRows(r.pixels);
    EXPECT_EQ(RegionFromImage(image.View()), r.rects) << r.name;
  }
}

TEST(RegionFromImage, StopsAtTheWidthWhateverTheStrideHolds) {
  const ArgbImage image = FromRows({"#.#", "..."}, 2);
  const std::vector<RegionRect> expected = {{0, 0, 1, 1}, {2, 0, 3, 1}};
  EXPECT_EQ(RegionFromImage(image.View()), expected);
}

TEST(RegionFromImage, EmptyImageGivesNoRectangles) {
  EXPECT_TRUE(RegionFromImage(ArgbImage().View()).empty());
}

}  // namespace
}  // namespace corvan
