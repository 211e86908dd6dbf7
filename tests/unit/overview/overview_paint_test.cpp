#include "overview/overview_paint.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace corvan {
namespace {

using Fill = RecordingCanvas::FillCall;
using Text = RecordingCanvas::TextCall;
using Image = RecordingCanvas::ImageCall;
using Stroke = RecordingCanvas::StrokeCall;

class RecordingIcons : public OverviewIcons {
 public:
  explicit RecordingIcons(std::vector<bool> has) : has_(std::move(has)) {}
  bool HasIcon(int32_t index) override { return has_[static_cast<size_t>(index)]; }
  void DrawIcon(int32_t index, Point topLeft) override { drawn.push_back({index, topLeft}); }
  std::vector<std::pair<int32_t, Point>> drawn;

 private:
  std::vector<bool> has_;
};

template <typename T>
std::vector<T> CallsOf(const RecordingCanvas& canvas) {
  std::vector<T> found;
  for (const auto& call : canvas.calls()) {
    if (const T* c = std::get_if<T>(&call)) found.push_back(*c);
  }
  return found;
}

TEST(OverviewPaint, TitlesAreCutAfterTwentyFourCharacters) {
  EXPECT_EQ(ShortTitle(L"abcdefghijklmnopqrstuvwx"), L"abcdefghijklmnopqrstuvwx");
  EXPECT_EQ(ShortTitle(L"abcdefghijklmnopqrstuvwxyz0123"), L"abcdefghijklmnopqrstuvwx...");
  EXPECT_EQ(ShortTitle(std::wstring(5000, L'a')), std::wstring(24, L'a') + L"...");
  EXPECT_EQ(ShortTitle(L""), L"");
  EXPECT_EQ(OverviewTitleFont(9), (Font{kTahoma, 16}));
  EXPECT_EQ(OverviewTitleFont(10), (Font{kTahoma, 14}));
}

TEST(OverviewPaint, TitlesTakeTheDisplaysScaleInsideItemsOfItsPixels) {
  const std::vector<Rect> targets = {{10, 20, 160, 140}};
  const std::vector<OverviewItemView> items = {{L"Editor", nullptr}};
  struct Row { int32_t dpi; float size; RectF box; };
  const Row rows[] = {
      {96, 16, {14, 24, 142, 112}},
      {144, 24, {16, 26, 138, 108}},
      {192, 32, {18, 28, 134, 104}},
  };
  for (const Row& row : rows) {
    RecordingCanvas canvas;
    PaintItemsAtRest(canvas, targets, items, DisplayScale{row.dpi});
    const auto texts = CallsOf<Text>(canvas);
    ASSERT_EQ(texts.size(), 1u) << row.dpi;
    EXPECT_EQ(texts[0].font, (Font{kTahoma, row.size})) << row.dpi;
    EXPECT_EQ(texts[0].box, row.box) << row.dpi << ": the inset scales, the item does not";
  }
}

TEST(OverviewPaint, RestingItemsShowTheirSnapshotOrTheBlueGradientAndAShortTitle) {
  RecordingCanvas canvas;
  const ArgbImage picture(40, 30);
  const std::vector<Rect> targets = {{10, 20, 110, 95}, {200, 20, 300, 95}};
  const std::vector<OverviewItemView> items = {{L"abcdefghijklmnopqrstuvwxyz0123", &picture}, {L"", nullptr}};
  PaintItemsAtRest(canvas, targets, items);

  const auto images = CallsOf<Image>(canvas);
  ASSERT_EQ(images.size(), 1u) << canvas.Describe();
  EXPECT_EQ(images[0], (Image{40, 30, {10, 20, 100, 75}}));
  const auto texts = CallsOf<Text>(canvas);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, L"abcdefghijklmnopqrstuvwx...");
  EXPECT_EQ(texts[0].box, (RectF{14, 24, 92, 67})) << "4 pixels inside the item";
  EXPECT_EQ(texts[0].format, (TextFormat{TextAlign::Center, TextAlign::Far, Trimming::EllipsisCharacter}));
  EXPECT_EQ(texts[0].font, (Font{kTahoma, 16}));
  EXPECT_EQ(texts[0].brush, Brush{SolidBrush{0xFFFFFFFF}});

  const auto fills = CallsOf<Fill>(canvas);
  ASSERT_EQ(fills.size(), 2u) << "one title box, one gradient; the empty title has no box";
  // 27 characters at 8 pixels, 20 high: centred in the box, on its bottom edge.
  EXPECT_EQ(fills[0], (Fill{SolidBrush{0x90202020}, RectF{-48, 71, 216, 20}}));
  EXPECT_EQ(fills[1], (Fill{LinearGradientBrush{{200, 20}, {300, 95}, 0xFF406090, 0xFF203048}, RectF{200, 20, 100, 75}}));
}

TEST(OverviewPaint, TheOverlayBadgesRestingItemsAndRedrawsTheGrownOneFramed) {
  const ArgbImage picture(40, 30);
  const std::vector<OverviewItemView> items = {{L"first", &picture}, {L"abcdefghijklmnopqrstuvwxyz0123", nullptr}, {L"third", nullptr}};
  const std::vector<Rect> shown = {{10, 10, 50, 40}, {100, 10, 160, 60}, {200, 10, 240, 40}};
  const std::vector<Growth> growth = {{}, {10, 5}, {}};
  RecordingIcons icons({true, true, false});
  RecordingCanvas canvas;
  PaintOverlay(canvas, {&shown, &growth, 1, false, 32, 32, {}}, items, icons);

  EXPECT_EQ(icons.drawn, (std::vector<std::pair<int32_t, Point>>{{0, {10, 10}}, {1, {100, 10}}})) << "the third has no icon";
  const auto strokes = CallsOf<Stroke>(canvas);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0], (Stroke{Pen{0x60FFFFFF, 5}, RectF{96, 6, 67, 57}}));
  const auto texts = CallsOf<Text>(canvas);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, L"abcdefghijklmnopqrstuvwxyz0123") << "grown: the full title";
  const auto fills = CallsOf<Fill>(canvas);
  ASSERT_EQ(fills.size(), 4u) << canvas.Describe();
  EXPECT_EQ(fills[0], (Fill{SolidBrush{0xC844507D}, RectF{7, 7, 38, 38}}));
  EXPECT_EQ(std::get<LinearGradientBrush>(fills[1].brush).fromColor, 0xFF406090u) << "no picture: the gradient";
}

TEST(OverviewPaint, WithLiveThumbnailsOnlyTheFrameIsDrawn) {
  const std::vector<OverviewItemView> items = {{L"first", nullptr}, {L"second", nullptr}};
  const std::vector<Rect> shown = {{10, 10, 50, 40}, {100, 10, 160, 60}};
  const std::vector<Growth> growth = {{}, {10, 5}};
  RecordingIcons icons({true, true});
  RecordingCanvas canvas;
  PaintOverlay(canvas, {&shown, &growth, 1, true, 32, 32, {}}, items, icons);
  EXPECT_TRUE(icons.drawn.empty());
  EXPECT_TRUE(CallsOf<Text>(canvas).empty());
  EXPECT_EQ(CallsOf<Stroke>(canvas).size(), 1u);
  EXPECT_TRUE(CallsOf<Fill>(canvas).empty());

  // A grown item that is no longer selected shrinks without a frame.
  RecordingCanvas shrinking;
  PaintOverlay(shrinking, {&shown, &growth, 0, true, 32, 32, {}}, items, icons);
  EXPECT_TRUE(shrinking.calls().empty()) << shrinking.Describe();
}

}  // namespace
}  // namespace corvan
