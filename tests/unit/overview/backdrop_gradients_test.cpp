#include <gtest/gtest.h>

#include "overview/backdrop_gradients.h"

namespace corvan {
namespace {

TEST(BackdropGradients, EachRPicksTheDirectionOfEachGradient) {
  struct Row {
    int r;
    PointF firstFrom, firstTo, secondFrom, secondTo;
  };
  const Row rows[] = {
      {0, {0, 0}, {800, 600}, {0, 600}, {0, 0}},
      {1, {0, 600}, {800, 0}, {0, 0}, {0, 600}},
      {2, {800, 600}, {0, 0}, {800, 0}, {0, 0}},
  };
  for (const Row& row : rows) {
    const BackdropGradients g = ChooseBackdropGradients(BackdropKind::Overview, row.r, row.r, 800, 600);
    EXPECT_EQ(g.first, (LinearGradientBrush{row.firstFrom, row.firstTo, 0xFF000000, 0x80000000})) << row.r;
    EXPECT_EQ(g.second, (LinearGradientBrush{row.secondFrom, row.secondTo, 0xC8000000, 0x16000000})) << row.r;
    const BackdropGradients panel = ChooseBackdropGradients(BackdropKind::Panel, row.r, row.r, 800, 600);
    EXPECT_EQ(panel.first, (LinearGradientBrush{row.firstFrom, row.firstTo, 0xFF000000, 0x4A000000})) << row.r;
    EXPECT_EQ(panel.second, g.second) << row.r;
  }
  const BackdropGradients mixed = ChooseBackdropGradients(BackdropKind::Overview, 2, 0, 800, 600);
  EXPECT_EQ(mixed.first.from, (PointF{800, 600}));
  EXPECT_EQ(mixed.second.from, (PointF{0, 600})) << "the two are chosen apart";
}

}  // namespace
}  // namespace corvan
