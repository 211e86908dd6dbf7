#include "ui/png_resource_win32.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <vector>

#include "skin_test_support.h"
#include "ui/layered_win32.h"
#include "ui/region.h"

namespace corvan {
namespace {

enum class Alpha {
  Opaque,        // every pixel 255
  HasAlpha,      // some pixels see-through
};

struct ImageRow {
  int firstId;
  int lastId;
  int width;
  int height;
  Alpha alpha;
};

// The program's images, ids as the resource script numbers them.
const ImageRow kImages[] = {
    {129, 129, 665, 490, Alpha::Opaque},    // product picture
    {131, 140, 32, 32, Alpha::HasAlpha},    // swipe up, ten frames
    {171, 180, 32, 32, Alpha::HasAlpha},    // swipe left
    {181, 190, 32, 32, Alpha::HasAlpha},    // swipe right
    {191, 200, 32, 32, Alpha::HasAlpha},    // swipe down
    {144, 144, 24, 24, Alpha::HasAlpha},    // folder
    {147, 147, 320, 400, Alpha::HasAlpha},  // top view of the mouse
    {148, 148, 200, 200, Alpha::Opaque},    // picker texture
    {149, 149, 102, 32, Alpha::HasAlpha},   // tip panel
    {152, 156, 24, 24, Alpha::HasAlpha},    // copy, paste, no function, expose, my computer
    {157, 160, 32, 32, Alpha::HasAlpha},    // static swipe icons
    {161, 162, 24, 24, Alpha::HasAlpha},    // volume - and +
    {165, 165, 300, 300, Alpha::HasAlpha},  // magnifier frame
    {168, 170, 24, 24, Alpha::HasAlpha},    // small scissors, cut, free-form snap
    {201, 201, 24, 24, Alpha::HasAlpha},    // rectangle snap
    {202, 202, 540, 360, Alpha::HasAlpha},  // line drawing of the mouse
};

class PngResource : public ::testing::Test {
 protected:
  test::GdiplusSession gdiplus;
};

TEST_F(PngResource, EveryImageOfTheTableDecodesAtItsSize) {
  ASSERT_TRUE(gdiplus.ok());
  for (const ImageRow& row : kImages) {
    for (int id = row.firstId; id <= row.lastId; ++id) {
      const std::optional<ArgbImage> image = LoadPngResource(id);
      ASSERT_TRUE(image.has_value()) << "image " << id;
      EXPECT_EQ(image->width(), row.width) << "image " << id;
      EXPECT_EQ(image->height(), row.height) << "image " << id;
      bool allOpaque = true;
      bool anyVisible = false;
      for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
          allOpaque = allOpaque && AlphaOf(image->At(x, y)) == 255;
          anyVisible = anyVisible || AlphaOf(image->At(x, y)) != 0;
        }
      }
      EXPECT_EQ(allOpaque, row.alpha == Alpha::Opaque) << "image " << id;
      EXPECT_TRUE(anyVisible) << "image " << id << " is empty";
    }
  }
}

TEST_F(PngResource, PixelsTheWindowsRelyOn) {
  ASSERT_TRUE(gdiplus.ok());
  const auto texture = LoadPngResource(148);
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->At(0, 0), 0xFF808080u);
  EXPECT_EQ(texture->At(199, 137), 0xFF808080u);

  const auto panel = LoadPngResource(149);
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->At(51, 16), 0xBE000000u) << "black at alpha 190 in the middle";
  EXPECT_EQ(AlphaOf(panel->At(0, 0)), 0) << "corners fade to nothing";
  EXPECT_LT(AlphaOf(panel->At(51, 0)), 20) << "edges fade";
  EXPECT_EQ(AlphaOf(panel->At(51, 8)), 190) << "fully dark about seven pixels in";

  const auto frame = LoadPngResource(165);
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->At(0, 150), Premultiply(0x55000000));
  EXPECT_EQ(frame->At(3, 150), Premultiply(0x55000000));
  EXPECT_EQ(frame->At(4, 150), 0u);
  EXPECT_EQ(frame->At(150, 150), 0u);
  EXPECT_EQ(frame->At(296, 299), Premultiply(0x55000000));
}

TEST_F(PngResource, NothingForWhatIsNotADecodablePngResource) {
  ASSERT_TRUE(gdiplus.ok());
  struct Row { int id; const char* what; };
  const Row rows[] = {
      {4242, "no resource with that id"},
      {102, "a dialog template, not a PNG resource"},
      {9001, "a PNG resource that is not an image"},
      {9002, "an empty PNG resource"},
  };
  for (const Row& r : rows) EXPECT_FALSE(LoadPngResource(r.id).has_value()) << r.what;
}

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
  return counters.PrivateUsage;
}

TEST_F(PngResource, RepeatedLoadsLeaveNothingBehind) {
  ASSERT_TRUE(gdiplus.ok());
  for (int i = 0; i < 3; ++i) LoadPngResource(129);  // first-use allocations of the decoder
  const size_t before = PrivateBytes();
  for (int i = 0; i < 40; ++i) {
    EXPECT_TRUE(LoadPngResource(129).has_value());
    EXPECT_FALSE(LoadPngResource(9001).has_value());
  }
  // Each picture is 1.3 MB decoded: forty kept copies (or their blocks) would be 50 MB.
  EXPECT_LT(PrivateBytes(), before + 8u * 1024 * 1024);
}

TEST_F(PngResource, TheProductPictureShapesAPlainRectangle) {
  ASSERT_TRUE(gdiplus.ok());
  const auto picture = LoadPngResource(129);
  ASSERT_TRUE(picture);
  const std::vector<RegionRect> rects = RegionFromImage(picture->View());
  ASSERT_EQ(rects.size(), 490u);
  EXPECT_EQ(rects.front(), (RegionRect{0, 0, 665, 1}));
  EXPECT_EQ(rects.back(), (RegionRect{0, 489, 665, 490}));
  HRGN region = CreateRegionFromRects(rects);
  ASSERT_NE(region, nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_EQ(box.right - box.left, 665);
  EXPECT_EQ(box.bottom - box.top, 490);
  DeleteObject(region);
}

TEST_F(PngResource, ARegionFollowsTheTransparencyOfTheImage) {
  ASSERT_TRUE(gdiplus.ok());
  const auto frame = LoadPngResource(165);
  ASSERT_TRUE(frame);
  HRGN region = CreateRegionFromRects(RegionFromImage(frame->View()));
  ASSERT_NE(region, nullptr);
  struct Probe { int x, y; bool inside; };
  const Probe probes[] = {{0, 0, true}, {3, 150, true}, {4, 150, false}, {150, 150, false}, {299, 299, true},
                          {296, 10, true}, {295, 10, false}, {300, 10, false}};
  for (const Probe& p : probes) EXPECT_EQ(PtInRegion(region, p.x, p.y) != FALSE, p.inside) << p.x << "," << p.y;
  DeleteObject(region);

  HRGN empty = CreateRegionFromRects({});
  ASSERT_NE(empty, nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
  DeleteObject(empty);
}

}  // namespace
}  // namespace corvan
