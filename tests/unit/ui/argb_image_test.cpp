#include "ui/argb_image.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

TEST(ArgbImage, PremultiplyAndBack) {
  struct Row { Argb straight; uint32_t premultiplied; };
  const Row rows[] = {
      {0xFF123456, 0xFF123456},  // opaque: unchanged
      {0x00FFFFFF, 0x00000000},  // fully transparent: 0 whatever the colour
      {0x80FF0000, 0x80800000},
      {0xBE000000, 0xBE000000},  // the tip panel's black at alpha 190
      {0x55FFFFFF, 0x55555555},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Premultiply(r.straight), r.premultiplied) << std::hex << r.straight;
    if (AlphaOf(r.straight) != 0) {
      EXPECT_EQ(Unpremultiply(r.premultiplied), r.straight) << std::hex << r.straight;
    }
  }
  EXPECT_EQ(Unpremultiply(0x00000000), 0u);
}

TEST(ArgbImage, RowsAreStrideApartAndStartTransparent) {
  ArgbImage image(3, 2, 17);  // rounded up to whole pixels
  EXPECT_EQ(image.strideBytes(), 20);
  EXPECT_EQ(image.At(2, 1), 0u);
  image.Set(2, 0, 0xFF0000FF);
  image.Set(0, 1, 0xFF00FF00);
  const ArgbView view = image.View();
  EXPECT_EQ(view.At(2, 0), 0xFF0000FFu);
  EXPECT_EQ(view.At(0, 1), 0xFF00FF00u);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(view.Row(1)) - view.bits, 20);
  EXPECT_EQ(ArgbImage(4, 1, 8).strideBytes(), 16) << "a stride shorter than a row grows to a row";
}

TEST(ArgbImage, FillTouchesNoPaddingOfTheStride) {
  ArgbImage image(2, 2, 12);
  image.Row(0)[2] = 0x12345678;
  image.Fill(0xFFFFFFFF);
  EXPECT_EQ(image.At(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(image.Row(0)[2], 0x12345678u);
  EXPECT_EQ(image.Row(1)[2], 0u);
}

}  // namespace
}  // namespace corvan
