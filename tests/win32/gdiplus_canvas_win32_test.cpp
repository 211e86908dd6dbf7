#include "ui/gdiplus_canvas_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "skin_test_support.h"
#include "ui/png_resource_win32.h"

namespace corvan {
namespace {

class GdiplusCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gdiplus.ok()); }

  static bool Near(uint32_t actual, uint32_t expected, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
      if (std::abs(static_cast<int>((actual >> shift) & 255) - static_cast<int>((expected >> shift) & 255)) > tolerance) {
        return false;
      }
    }
    return true;
  }

  test::GdiplusSession gdiplus;
};

TEST_F(GdiplusCanvasTest, FillsLandPremultipliedOnTheSurface) {
  struct Row {
    const char* name;
    Shape shape;
    Argb color;
    int x, y;          // a pixel well inside
    int outX, outY;    // a pixel outside that stays transparent
  };
  const Row rows[] = {
      {"opaque rectangle", RectF{2, 2, 8, 8}, 0xFFFF0000, 5, 5, 12, 5},
      {"half-transparent rectangle", RectF{2, 2, 8, 8}, 0x80FF0000, 5, 5, 5, 12},
      {"ellipse", Ellipse{{0, 0, 20, 20}}, 0xFF00FF00, 10, 10, 1, 1},
      {"rounded rectangle", RoundedRect{{0, 0, 20, 20}, 6}, 0xFF0000FF, 10, 10, 0, 0},
      {"path", Path().MoveTo({0, 0}).LineTo({20, 0}).LineTo({0, 20}).Close(), 0xFFFFFFFF, 4, 4, 16, 16},
      {"path with a curve", Path().MoveTo({0, 10}).BezierTo({0, -3}, {20, -3}, {20, 10}).Close(), 0xFF123456, 10, 7, 10,
       14},
  };
  for (const Row& r : rows) {
    ArgbImage image(24, 24);
    {
      GdiplusCanvas canvas(image);
      canvas.Fill(SolidBrush{r.color}, r.shape);
    }
    EXPECT_TRUE(Near(image.At(r.x, r.y), Premultiply(r.color))) << r.name << std::hex << " " << image.At(r.x, r.y);
    EXPECT_EQ(image.At(r.outX, r.outY), 0u) << r.name;
  }
}

TEST_F(GdiplusCanvasTest, LinearGradientRunsBetweenItsPoints) {
  ArgbImage image(100, 4);
  {
    GdiplusCanvas canvas(image);
    canvas.FillRectangle(LinearGradientBrush{{0, 0}, {100, 0}, 0xFF000000, 0xFFFFFFFF}, RectF{0, 0, 100, 4});
  }
  EXPECT_LT(RedOf(image.At(5, 2)), 30);
  EXPECT_NEAR(RedOf(image.At(50, 2)), 128, 12);
  EXPECT_GT(RedOf(image.At(95, 2)), 225);
}

TEST_F(GdiplusCanvasTest, TextureBrushRepeatsTheImage) {
  ArgbImage tile(2, 2);
  tile.Set(0, 0, 0xFFFF0000);
  tile.Set(1, 0, 0xFF00FF00);
  tile.Set(0, 1, 0xFF00FF00);
  tile.Set(1, 1, 0xFFFF0000);
  ArgbImage image(8, 8);
  {
    GdiplusCanvas canvas(image);
    canvas.SetAntiAlias(false);
    canvas.FillRectangle(TextureBrush{&tile, {0, 0}}, RectF{0, 0, 8, 8});
  }
  EXPECT_EQ(image.At(4, 4), image.At(0, 0));
  EXPECT_EQ(image.At(5, 4), image.At(1, 0));
  EXPECT_NE(image.At(0, 0), image.At(1, 0));
}

TEST_F(GdiplusCanvasTest, SourceCopyReplacesEvenWithTransparency) {
  ArgbImage image(10, 10);
  GdiplusCanvas canvas(image);
  canvas.Clear(0xFFFFFFFF);
  canvas.SetCompositing(Compositing::SourceCopy);
  canvas.SetAntiAlias(false);
  canvas.FillRectangle(SolidBrush{0x00000000}, RectF{0, 0, 5, 10});
  canvas.SetCompositing(Compositing::SourceOver);
  canvas.FillRectangle(SolidBrush{0x00000000}, RectF{5, 0, 5, 10});
  canvas.Flush();
  EXPECT_EQ(image.At(2, 5), 0u);
  EXPECT_EQ(image.At(7, 5), 0xFFFFFFFFu);
}

TEST_F(GdiplusCanvasTest, ClipKeepsOrLeavesOutItsShape) {
  struct Row { ClipMode mode; bool centreDrawn; bool cornerDrawn; };
  const Row rows[] = {{ClipMode::Replace, true, false}, {ClipMode::Exclude, false, true}};
  for (const Row& r : rows) {
    ArgbImage image(20, 20);
    {
      GdiplusCanvas canvas(image);
      canvas.Clip(RoundedRect{{5, 5, 10, 10}, 2}, r.mode);
      canvas.FillRectangle(SolidBrush{0xFF000000}, RectF{0, 0, 20, 20});
      canvas.ResetClip();
    }
    EXPECT_EQ(image.At(10, 10) != 0, r.centreDrawn) << static_cast<int>(r.mode);
    EXPECT_EQ(image.At(1, 1) != 0, r.cornerDrawn) << static_cast<int>(r.mode);
  }
}

TEST_F(GdiplusCanvasTest, ArrowAnchorCapIsWiderThanTheLine) {
  struct Row { LineCap cap; bool beside; };
  const Row rows[] = {{LineCap::ArrowAnchor, true}, {LineCap::Round, false}, {LineCap::Flat, false}};
  for (const Row& r : rows) {
    ArgbImage image(60, 40);
    {
      GdiplusCanvas canvas(image);
      canvas.DrawLine(Pen{0xFFFFFF00, 4, r.cap}, {20, 20}, {50, 20});
    }
    EXPECT_NE(image.At(35, 20), 0u);
    // Above and below the 4-pixel line near its start only an arrowhead reaches.
    int beside = 0;
    for (int x = 12; x < 34; ++x) {
      for (int y : {15, 16, 17, 23, 24, 25}) beside += AlphaOf(image.At(x, y)) > 128;
    }
    EXPECT_EQ(beside > 0, r.beside) << static_cast<int>(r.cap);
  }
}

TEST_F(GdiplusCanvasTest, DashedLinesHaveGaps) {
  ArgbImage image(100, 10);
  {
    GdiplusCanvas canvas(image);
    canvas.SetAntiAlias(false);
    canvas.DrawLine(Pen{0xFF000000, 2, LineCap::Flat, LineCap::Flat, DashStyle::Dash}, {0, 5}, {100, 5});
  }
  int gaps = 0;
  for (int x = 0; x < 100; ++x) gaps += image.At(x, 5) == 0;
  EXPECT_GT(gaps, 10);
  EXPECT_LT(gaps, 90);
}

TEST_F(GdiplusCanvasTest, TextStaysInItsBoxAndMeasuresByItsSize) {
  ArgbImage image(200, 80);
  GdiplusCanvas canvas(image);
  const TextFormat centred{TextAlign::Center, TextAlign::Center, Trimming::Word};
  canvas.DrawString(L"Copy", Font{kTahoma, 24}, SolidBrush{0xFAFFFFFF}, RectF{50, 20, 100, 40}, centred);
  canvas.Flush();
  int inside = 0, outside = 0;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool drawn = AlphaOf(image.At(x, y)) > 0;
      const bool inBox = x >= 50 && x < 150 && y >= 20 && y < 60;
      (inBox ? inside : outside) += drawn;
    }
  }
  EXPECT_GT(inside, 40);
  EXPECT_EQ(outside, 0);

  const RectF layout{0, 0, 1024, 100};
  const SizeF small = canvas.MeasureString(L"Copy", Font{kTahoma, 20}, layout, centred);
  const SizeF large = canvas.MeasureString(L"Copy", Font{kTahoma, 60}, layout, centred);
  const SizeF fallback = canvas.MeasureString(L"Copy", Font{L"No Such Family", 20}, layout, centred);
  EXPECT_GT(small.width, 10);
  EXPECT_GT(large.width, 2.5f * small.width);
  EXPECT_GT(large.height, 2.5f * small.height);
  EXPECT_GT(fallback.width, 10) << "a missing family falls back to the generic sans-serif";
}

TEST_F(GdiplusCanvasTest, TheTipPanelStretchesWithoutLosingItsMiddle) {
  const auto panel = LoadPngResource(149);
  ASSERT_TRUE(panel);
  ArgbImage image(300, 90);
  {
    GdiplusCanvas canvas(image);
    canvas.DrawImage(*panel, RectF{0, 0, 300, 90});
  }
  EXPECT_TRUE(Near(image.At(150, 45), 0xBE000000));
  // The soft edge is stretched with the panel (7 pixels become about 20) on every side.
  for (const POINT& edge : {POINT{1, 45}, POINT{298, 45}, POINT{150, 1}, POINT{150, 88}}) {
    EXPECT_LT(AlphaOf(image.At(edge.x, edge.y)), 40) << edge.x << "," << edge.y;
  }
  for (const POINT& ramp : {POINT{10, 45}, POINT{289, 45}, POINT{150, 8}, POINT{150, 81}}) {
    EXPECT_GT(AlphaOf(image.At(ramp.x, ramp.y)), 40) << ramp.x << "," << ramp.y;
    EXPECT_LT(AlphaOf(image.At(ramp.x, ramp.y)), 180) << ramp.x << "," << ramp.y;
  }
  EXPECT_LT(AlphaOf(image.At(0, 0)), 10);
}

}  // namespace
}  // namespace corvan
