#include "presenter/board_compose.h"

#include <gtest/gtest.h>

#include "presenter/board_state.h"

namespace corvan {
namespace {

constexpr uint32_t kPicture = 0xFF204060;
constexpr uint32_t kUntouched = 0x12345678;

struct Layers {
  Layers(int w, int h) : capture(w + 1, h), ink(w + 1, h), frame(w, h) {
    capture.Fill(kPicture);
    frame.Fill(kUntouched);
  }
  void Compose(const Rect& dirty, const BoardOverlay& overlay, bool withPicture = true) {
    ComposeBoard(PixelTarget::Of(frame), dirty, withPicture ? &capture : nullptr, &ink, overlay);
  }
  ArgbImage capture;
  InkLayer ink;
  ArgbImage frame;
};

TEST(BoardCompose, OnlyTheDirtyRectangleIsRecomposed) {
  Layers layers(6, 4);
  layers.Compose({1, 1, 3, 2}, {});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool dirty = x >= 1 && x < 3 && y == 1;
      EXPECT_EQ(layers.frame.At(x, y), dirty ? kPicture : kUntouched) << x << "," << y;
    }
  }
  // A dirty rectangle past the frame is clipped.
  layers.Compose({-10, -10, 100, 100}, {});
  EXPECT_EQ(layers.frame.At(5, 3), kPicture);
}

TEST(BoardCompose, InkBlendsOverThePictureAndTheEraserRestoresIt) {
  Layers layers(8, 8);
  const uint32_t red = Premultiply(kInkColours[0]);
  layers.ink.Paint({4, 4}, {4, 4}, red, 6);
  layers.ink.Paint({4, 4}, {4, 4}, red, 6);
  layers.Compose({0, 0, 8, 8}, {});
  // 0x90 red over (0x20, 0x40, 0x60): each channel times 0x6F / 255, plus the red's 0x90.
  EXPECT_EQ(layers.frame.At(4, 4), 0xFF9E1C2Au);
  EXPECT_EQ(layers.frame.At(0, 0), kPicture);
  layers.ink.Paint({4, 4}, {4, 4}, Premultiply(kInkColours[kEraserIndex]), 6);
  layers.Compose({0, 0, 8, 8}, {});
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) ASSERT_EQ(layers.frame.At(x, y), kPicture) << x << "," << y;
  }
}

TEST(BoardCompose, DarkeningLeavesTheSelectionClear) {
  Layers layers(6, 5);
  BoardOverlay overlay;
  overlay.darken = BoardOverlay::Darken::OutsideRect;
  overlay.clearRect = {1, 1, 3, 4};
  layers.Compose({0, 0, 6, 5}, overlay);
  const uint32_t dark = 0xFF070E15;  // the picture times 55 / 255 under opaque black at 0xC8
  EXPECT_EQ(layers.frame.At(0, 0), dark);
  EXPECT_EQ(layers.frame.At(1, 1), kPicture);
  EXPECT_EQ(layers.frame.At(2, 3), kPicture);
  EXPECT_EQ(layers.frame.At(3, 3), dark);
  EXPECT_EQ(layers.frame.At(1, 4), dark);
  // Recomposing a part darkens it once, not twice.
  layers.Compose({0, 0, 2, 2}, overlay);
  EXPECT_EQ(layers.frame.At(0, 0), dark);
}

TEST(BoardCompose, TheSpotlightIsClearInsideAndDarkOutsideWithNoPicture) {
  Layers layers(20, 20);
  const PolygonSpans clear = SpotlightSpans({10, 10}, 8, 20, 20);
  BoardOverlay overlay;
  overlay.darken = BoardOverlay::Darken::OutsideSpans;
  overlay.clearSpans = &clear;
  layers.Compose({0, 0, 20, 20}, overlay, false);
  EXPECT_EQ(layers.frame.At(10, 10), 0u);
  EXPECT_EQ(layers.frame.At(6, 10), 0u);
  EXPECT_EQ(layers.frame.At(5, 10), 0xC8000000u);
  EXPECT_EQ(layers.frame.At(14, 10), 0xC8000000u);
  EXPECT_EQ(layers.frame.At(6, 6), 0xC8000000u);  // a rounded corner
  EXPECT_EQ(layers.frame.At(0, 0), 0xC8000000u);
}

TEST(BoardCompose, ThePointerMarkIsAFilledDotInARing) {
  struct Row { int colorIndex; uint32_t centre; uint32_t ring; };
  const Row rows[] = {
      {0, Over(0x80800000, kPicture), Over(Premultiply(0xFEFF0000), kPicture)},
      {kEraserIndex, kPicture, Over(0xFC000000, kPicture)},  // the eraser's mark has no fill
  };
  for (const Row& r : rows) {
    Layers layers(40, 40);
    BoardOverlay overlay;
    overlay.pointerMark = true;
    overlay.pointer = {20, 20};
    overlay.colorIndex = r.colorIndex;
    layers.Compose({0, 0, 40, 40}, overlay);
    EXPECT_EQ(layers.frame.At(20, 20), r.centre);
    EXPECT_EQ(layers.frame.At(27, 20), r.ring);  // 7.5 from the centre: inside the ring
    EXPECT_EQ(layers.frame.At(30, 20), kPicture);
  }
}

TEST(BoardCompose, ASelectionBeingDrawnIsOutlinedWithDashes) {
  Layers layers(30, 10);
  BoardOverlay overlay;
  overlay.outline = BoardOverlay::Outline::Rect;
  overlay.outlineRect = {2, 2, 28, 8};
  layers.Compose({0, 0, 30, 10}, overlay);
  const uint32_t outline = Over(Premultiply(kOutlineColour), kPicture);
  std::string top;
  for (int x = 0; x < 30; ++x) top += layers.frame.At(x, 2) == outline ? '-' : '.';
  EXPECT_EQ(top, "..------..------..------..---.");
  EXPECT_EQ(layers.frame.At(5, 5), kPicture);
}

TEST(BoardCompose, InkIsFoundWhereverItLiesInAWideRow) {
  // Strokes in the middle and at the far end of rows several stretches wide.
  Layers layers(300, 6);
  const uint32_t blue = Premultiply(kInkColours[2]);
  layers.ink.Paint({130, 2}, {130, 2}, blue, 2);
  layers.ink.Paint({299, 4}, {299, 4}, blue, 2);
  layers.Compose({0, 0, 300, 6}, {});
  EXPECT_EQ(layers.frame.At(129, 1), Over(blue, kPicture));
  EXPECT_EQ(layers.frame.At(299, 4), Over(blue, kPicture));
  EXPECT_EQ(layers.frame.At(200, 2), kPicture);
  // Cleared, the strokes are gone.
  layers.ink.Clear();
  layers.Compose({0, 0, 300, 6}, {});
  EXPECT_EQ(layers.frame.At(129, 1), kPicture);
}

}  // namespace
}  // namespace corvan
