#include "presenter/snap.h"

#include <gtest/gtest.h>

#include <set>

#include "presenter/board_compose.h"
#include "presenter/board_state.h"

namespace corvan {
namespace {

TEST(Snap, RegionForEachMode) {
  struct Row { int32_t mode; bool hasSelection; Rect selection; Rect expected; };
  const Row rows[] = {
      {kBoardHighlighter,   true,  {5, 5, 9, 9},      {0, 0, 99, 80}},  // the whole board, one narrower than the monitor
      {kBoardSnapRectangle, true,  {5, 6, 9, 10},     {5, 6, 9, 10}},
      {kBoardSnapRectangle, true,  {7, 9, 8, 10},     {7, 9, 8, 10}},   // a click: 1 x 1
      {kBoardSnapFreeForm,  true,  {90, 70, 300, 90}, {90, 70, 99, 80}},  // past the edge: clipped
      {kBoardSnapFreeForm,  false, {},                {0, 0, 99, 80}},  // nothing selected yet: the whole board
      {kBoardSnapRectangle, false, {5, 5, 9, 9},      {0, 0, 99, 80}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(SnapRegion(r.mode, 99, 80, r.hasSelection, r.selection), r.expected) << r.mode;
  }
}

ArgbImage Gradient(int w, int h) {
  ArgbImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.Set(x, y, PackArgb(255, static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7));
  }
  return image;
}

TEST(Snap, TheHighlighterWritesThePictureWithItsStrokes) {
  const ArgbImage capture = Gradient(10, 6);
  ArgbImage ink(10, 6);
  ink.Set(3, 2, 0x90900000);
  const ArgbImage image = BuildSnapImage(capture, ink, {0, 0, 9, 6}, nullptr);
  ASSERT_EQ(image.width(), 9);
  ASSERT_EQ(image.height(), 6);
  EXPECT_EQ(image.At(3, 2), Over(0x90900000, capture.At(3, 2)));
  EXPECT_EQ(image.At(8, 5), capture.At(8, 5));
}

TEST(Snap, ARectangleOfOnePixelWritesOnePixel) {
  const ArgbImage capture = Gradient(10, 6);
  const ArgbImage image = BuildSnapImage(capture, ArgbImage(10, 6), {7, 4, 8, 5}, nullptr);
  ASSERT_EQ(image.width(), 1);
  ASSERT_EQ(image.height(), 1);
  EXPECT_EQ(image.At(0, 0), capture.At(7, 4));
}

TEST(Snap, AFreeFormSnapIsTransparentOutsideTheLasso) {
  const ArgbImage capture = Gradient(12, 12);
  // A triangle through the pixel centres of (2,2), (9,2) and (2,9).
  const PolygonSpans lasso(std::vector<Point>{{2, 2}, {9, 2}, {2, 9}}, 12, 12);
  const ArgbImage image = BuildSnapImage(capture, ArgbImage(12, 12), {2, 2, 10, 10}, &lasso);
  ASSERT_EQ(image.width(), 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const uint32_t expected = lasso.Contains(x + 2, y + 2) ? capture.At(x + 2, y + 2) : 0u;
      ASSERT_EQ(image.At(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_NE(image.At(0, 0), 0u);
  EXPECT_EQ(image.At(7, 7), 0u);
}

TEST(Snap, ALassoOfThousandsOfPointsKeepsItsInside) {
  // A 40-sided star wound 5000 times round, the last lap open: the even-odd rule still holds.
  std::vector<Point> points;
  for (int i = 0; i < 5000; ++i) points.push_back({i % 2 ? 50 : 10, 10 + (i / 2) % 40});
  const PolygonSpans lasso(points, 64, 64);
  const ArgbImage capture = Gradient(64, 64);
  const ArgbImage image = BuildSnapImage(capture, ArgbImage(64, 64), {10, 10, 51, 50}, &lasso);
  EXPECT_EQ(image.width(), 41);
  EXPECT_EQ(image.At(40, 39), 0u);
}

TEST(Snap, ClipboardDibHeaderAndBottomUpBgraBytes) {
  ArgbImage image(2, 2);
  image.Set(0, 0, 0xFF112233);
  image.Set(1, 0, 0x00000000);
  image.Set(0, 1, 0xFFAABBCC);
  image.Set(1, 1, 0x80402010);
  const std::vector<uint8_t> dib = MakeClipboardDib(image);
  const std::vector<uint8_t> expected = {
      40, 0, 0, 0,  2, 0, 0, 0,  2, 0, 0, 0,  1, 0,  32, 0,  0, 0, 0, 0,  0, 0, 0, 0,
      0, 0, 0, 0,   0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,
      0xCC, 0xBB, 0xAA, 0xFF,  0x10, 0x20, 0x40, 0x80,  // the bottom row first
      0x33, 0x22, 0x11, 0xFF,  0, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  };
  EXPECT_EQ(dib, expected);
  EXPECT_EQ(MakeClipboardDib(ArgbImage(3, 5)).size(), 52u + 4 * 3 * 5);
}

TEST(Snap, FileNameOfAnAfternoonOnAnEnglishSystem) {
  struct Row { SnapTime time; const wchar_t* stem; };
  const Row rows[] = {
      {{2026, 12, 8, 15, 7, 9},  L"screen_2026-12-08_03h07m09s PM"},
      {{2026, 1, 31, 0, 0, 0},   L"screen_2026-01-31_12h00m00s AM"},
      {{2026, 6, 1, 12, 30, 59}, L"screen_2026-06-01_12h30m59s PM"},
      {{2026, 6, 1, 11, 59, 59}, L"screen_2026-06-01_11h59m59s AM"},
  };
  for (const Row& r : rows) EXPECT_EQ(SnapStem(r.time, L"AM", L"PM"), r.stem);
  // A locale without designators gets none, and no trailing blank.
  EXPECT_EQ(SnapStem({2026, 12, 8, 15, 7, 9}, L"", L""), L"screen_2026-12-08_03h07m09s");
}

TEST(Snap, TwoSnapsInOneSecondGetTwoNames) {
  std::set<std::wstring> taken;
  auto exists = [&](const std::wstring& name) { return taken.count(name) > 0; };
  const std::wstring folder = L"C:\\users\\me\\Desktop\\Screen Snap";
  const std::wstring stem = L"screen_2026-12-08_03h07m09s PM";
  const std::wstring first = FreeSnapName(folder, stem, exists);
  EXPECT_EQ(first, folder + L"\\" + stem + L".png");
  taken.insert(first);
  const std::wstring second = FreeSnapName(folder, stem, exists);
  EXPECT_EQ(second, folder + L"\\" + stem + L" (2).png");
  taken.insert(second);
  EXPECT_EQ(FreeSnapName(folder, stem, exists), folder + L"\\" + stem + L" (3).png");
  // Every name taken: none offered, nothing replaced.
  EXPECT_EQ(FreeSnapName(folder, stem, [](const std::wstring&) { return true; }), L"");
}

}  // namespace
}  // namespace corvan
