#include "presenter/board_raster.h"

#include <gtest/gtest.h>

#include "presenter/board_compose.h"

namespace corvan {
namespace {

TEST(BoardRaster, ScaleChannelsIsRoundedDivisionBy255) {
  for (uint32_t factor : {0u, 1u, 55u, 111u, 128u, 254u, 255u}) {
    for (uint32_t channel = 0; channel < 256; ++channel) {
      const uint32_t pixel = channel << 24 | (255 - channel) << 16 | channel << 8 | (channel ^ 0x5A);
      const uint32_t scaled = ScaleChannels(pixel, factor);
      auto expected = [&](uint32_t c) { return (c * factor + 127) / 255; };
      ASSERT_EQ(AlphaOf(scaled), expected(channel)) << channel << " x " << factor;
      ASSERT_EQ(RedOf(scaled), expected(255 - channel));
      ASSERT_EQ(GreenOf(scaled), expected(channel));
      ASSERT_EQ(BlueOf(scaled), expected(channel ^ 0x5A));
    }
  }
}

TEST(BoardRaster, OverBlendsPremultipliedColours) {
  struct Row { uint32_t source, destination, expected; };
  const Row rows[] = {
      {0x00000000, 0xFF123456, 0xFF123456},  // transparent ink leaves the picture
      {0x90900000, 0xFF0000FF, 0xFF90006F},  // the red highlighter over blue: 255 * 111 / 255 = 111
      {0xC8000000, 0xFFFFFFFF, 0xFF373737},  // the darkening over white: 255 * 55 / 255 = 55
      {0xC8000000, 0x00000000, 0xC8000000},  // the darkening over nothing (the spotlight)
      {0xFF00FF00, 0xFF123456, 0xFF00FF00},
  };
  for (const Row& r : rows) EXPECT_EQ(Over(r.source, r.destination), r.expected) << std::hex << r.source;
}

// The image as text, one character per pixel: '.' for 0, '#' for anything else.
std::string Picture(const ArgbImage& image) {
  std::string text;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) text += image.At(x, y) ? '#' : '.';
    text += '\n';
  }
  return text;
}

TEST(BoardRaster, ADotIsARoundPenWideDisc) {
  ArgbImage ink(8, 8);
  const Rect changed = PaintInkStroke(ink, {4, 4}, {4, 4}, 0x90900000, 6);
  EXPECT_EQ(Picture(ink),
            "........\n"
            "..####..\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            "..####..\n"
            "........\n");
  EXPECT_EQ(changed, (Rect{1, 1, 8, 8}));
  EXPECT_EQ(ink.At(3, 3), 0x90900000u);
}

TEST(BoardRaster, AStrokeIsACapsuleClippedToTheImage) {
  ArgbImage ink(10, 5);
  const Rect changed = PaintInkStroke(ink, {-3, 2}, {6, 2}, 1, 4);
  EXPECT_EQ(Picture(ink),
            "#######...\n"
            "########..\n"
            "########..\n"
            "#######...\n"
            "..........\n");
  EXPECT_EQ(changed, (Rect{0, 0, 9, 5}));
}

TEST(BoardRaster, PaintingTwiceLeavesTheColourOfOnceAndTheEraserClears) {
  ArgbImage once(40, 40), twice(40, 40);
  PaintInkStroke(once, {5, 5}, {30, 20}, 0x90900000, kInkPenWidth);
  PaintInkStroke(twice, {5, 5}, {30, 20}, 0x90900000, kInkPenWidth);
  PaintInkStroke(twice, {30, 20}, {5, 5}, 0x90900000, kInkPenWidth);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(twice.At(x, y), once.At(x, y)) << x << "," << y;
  }
  PaintInkStroke(twice, {0, 0}, {39, 39}, 0, 60);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(twice.At(x, y), 0u) << x << "," << y;
  }
}

TEST(BoardRaster, PolygonSpansFollowTheEvenOddRuleAtPixelCentres) {
  struct Row {
    const char* name;
    std::vector<PathPoint> outline;
    const char* picture;
  };
  const Row rows[] = {
      {"square on pixel edges", {{1, 1}, {4, 1}, {4, 3}, {1, 3}},
       "......\n"
       ".###..\n"
       ".###..\n"
       "......\n"},
      {"past the edges: clipped", {{-5, -5}, {3, -5}, {3, 9}, {-5, 9}},
       "###...\n"
       "###...\n"
       "###...\n"
       "###...\n"},
      {"two points: nothing", {{0, 0}, {5, 3}}, "......\n......\n......\n......\n"},
      {"a bow tie crossing itself", {{0, 0}, {6, 4}, {6, 0}, {0, 4}},
       "#....#\n"
       "##..##\n"
       "##..##\n"
       "#....#\n"},
  };
  for (const Row& r : rows) {
    const PolygonSpans spans(r.outline, 6, 4);
    std::string text;
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 6; ++x) text += spans.Contains(x, y) ? '#' : '.';
      text += '\n';
    }
    EXPECT_EQ(text, r.picture) << r.name;
  }
}

TEST(BoardRaster, PointerPositionsOutlineThroughPixelCentres) {
  // A lasso through the pixels (1,1), (4,1), (4,3), (1,3) keeps the pixels between the centres.
  const PolygonSpans spans(std::vector<Point>{{1, 1}, {4, 1}, {4, 3}, {1, 3}}, 6, 5);
  EXPECT_EQ(spans.RunsInRow(0), std::vector<int32_t>{});
  EXPECT_EQ(spans.RunsInRow(1), (std::vector<int32_t>{1, 4}));
  EXPECT_EQ(spans.RunsInRow(2), (std::vector<int32_t>{1, 4}));
  EXPECT_EQ(spans.RunsInRow(3), std::vector<int32_t>{});
}

TEST(BoardRaster, RoundedSquarePathHasTheCornersOfAThird) {
  const std::vector<PathSegment> path = RoundedSquarePath(10, 20, 400, 133);
  ASSERT_EQ(path.size(), 8u);
  auto expect = [&](size_t i, PathSegment::Kind kind, std::vector<Point> points) {
    EXPECT_EQ(path[i].kind, kind) << i;
    for (size_t k = 0; k < points.size(); ++k) EXPECT_EQ(path[i].points[k], points[k]) << i << "/" << k;
  };
  // Halves truncate: 133 / 2 = 66.
  expect(0, PathSegment::Line, {{143, 20}, {277, 20}});
  expect(1, PathSegment::Bezier, {{277, 20}, {344, 20}, {410, 86}, {410, 153}});
  expect(2, PathSegment::Line, {{410, 153}, {410, 287}});
  expect(3, PathSegment::Bezier, {{410, 287}, {410, 354}, {344, 420}, {277, 420}});
  expect(4, PathSegment::Line, {{277, 420}, {143, 420}});
  expect(5, PathSegment::Bezier, {{143, 420}, {76, 420}, {10, 354}, {10, 287}});
  expect(6, PathSegment::Line, {{10, 287}, {10, 153}});
  expect(7, PathSegment::Bezier, {{10, 153}, {10, 86}, {76, 20}, {143, 20}});
  // With r = 0 the corners are square.
  const PolygonSpans square(FlattenPath(RoundedSquarePath(1, 1, 3, 0)), 5, 5);
  EXPECT_EQ(square.RunsInRow(1), (std::vector<int32_t>{1, 4}));
  EXPECT_EQ(square.RunsInRow(3), (std::vector<int32_t>{1, 4}));
  EXPECT_EQ(square.RunsInRow(4), std::vector<int32_t>{});
}

}  // namespace
}  // namespace corvan
