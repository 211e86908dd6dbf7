#include "ui/editor_paint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_canvas.h"

namespace corvan {
namespace {

using Fill = RecordingCanvas::FillCall;
using Text = RecordingCanvas::TextCall;
using Line = RecordingCanvas::LineCall;

const Catalogue kCatalogue = BuildCatalogue(DefaultFunctionLabels(), false);

// The recording canvas measures 9 pixels a character and 22.5 a line at 18 px.
constexpr float kLine = 22.5f;

template <typename Call>
std::vector<Call> CallsOf(const RecordingCanvas& canvas) {
  std::vector<Call> found;
  for (const auto& call : canvas.calls()) {
    if (const auto* c = std::get_if<Call>(&call)) found.push_back(*c);
  }
  return found;
}

// The drawn text calls of the callouts: shadow then text for bt3, then for bt4, the gestures, the
// extra key and the button order.
std::vector<Text> CalloutTexts(const RecordingCanvas& canvas) {
  std::vector<Text> texts;
  for (const Text& t : CallsOf<Text>(canvas)) {
    if (t.font.sizePx == 18) texts.push_back(t);
  }
  return texts;
}

const LocalisedTexts kEnglish;

EditorPaintInput Input(int32_t bt3, int32_t bt4) {
  EditorPaintInput input;
  input.catalogue = &kCatalogue;
  input.texts = &kEnglish;
  input.slots = {0, 0, 0, bt3, bt4};
  return input;
}

TEST(EditorPaint, BoxesGrowAwayFromThePictureWhateverTheirLabels) {
  struct Row { const char* name; int32_t bt3, bt4; std::wstring left, right; };
  const Row rows[] = {
      {"the factory assignment", kCatalogue.forwardId, kCatalogue.backwardId, L"Forward", L"Backward"},
      {"short labels",           12, 11,                                      L"Copy", L"Cut"},
      {"a long label",           26, 28,                                      L"Presenter", L"Screen snap #1"},
      {"ids that name nothing",  -1, 31,                                      L"No function", L"No function"},
  };
  for (const Row& row : rows) {
    RecordingCanvas canvas;
    const EditorHotRegions regions = PaintEditor(canvas, Input(row.bt3, row.bt4));
    const std::vector<Text> texts = CalloutTexts(canvas);
    ASSERT_EQ(texts.size(), 16u) << row.name;
    EXPECT_EQ(texts[1].text, row.left) << row.name;
    EXPECT_EQ(texts[3].text, row.right) << row.name;
    const std::vector<Fill> fills = CallsOf<Fill>(canvas);
    // The box fills are the ones in 0x80202020: bt3's first, then bt4's, then the others'.
    std::vector<RectF> boxes;
    for (const Fill& f : fills) {
      if (std::get<SolidBrush>(f.brush).color == 0x80202020) boxes.push_back(std::get<RectF>(f.shape));
    }
    ASSERT_EQ(boxes.size(), 8u) << row.name;
    EXPECT_NEAR(boxes[0].right(), 306 + kLine, 1.0) << row.name << ": the left box ends by the picture";
    EXPECT_EQ(boxes[1].x, 453) << row.name << ": the right box starts by the picture";
    EXPECT_FLOAT_EQ(boxes[1].width, 9 * static_cast<float>(row.right.size()) + kLine + 5) << row.name;
    // The hot rectangles are the boxes' text and drop-down square.
    EXPECT_EQ(regions.callouts[4].left, 454) << row.name;
    EXPECT_EQ(regions.callouts[3].right, static_cast<int32_t>(boxes[0].x + 1 + 2 + boxes[0].width - 5)) << row.name;
    EXPECT_EQ(regions.callouts[0], Rect{}) << "buttons without a callout have no hot place";
  }
}

TEST(EditorPaint, AnEmptyLabelShowsDots) {
  LocalisedTexts texts;
  texts.functionLabels[13] = L"";
  const Catalogue renamed = BuildCatalogue(texts.functionLabels, false);
  EditorPaintInput input = Input(12, 12);
  input.catalogue = &renamed;
  RecordingCanvas canvas;
  PaintEditor(canvas, input);
  EXPECT_EQ(CalloutTexts(canvas)[1].text, L"...");
}

// The look of a callout: its text colour, its square and its arrow.
struct CalloutLook {
  Argb text;
  Argb square;
  Argb arrow;
  bool operator==(const CalloutLook&) const = default;
};

std::vector<CalloutLook> Looks(const RecordingCanvas& canvas) {
  const std::vector<Text> texts = CalloutTexts(canvas);
  std::vector<Argb> squares;
  for (const Fill& f : CallsOf<Fill>(canvas)) {
    const Argb c = std::get<SolidBrush>(f.brush).color;
    if (c == 0x80303030 || c == 0x80101010) {
      if (const auto* r = std::get_if<RectF>(&f.shape); r && r->width == kLine) squares.push_back(c);
    }
  }
  std::vector<Argb> arrows;
  for (const Line& l : CallsOf<Line>(canvas)) {
    if (l.pen.width == kLine / 2 - 6) arrows.push_back(l.pen.color);
  }
  return {{std::get<SolidBrush>(texts[1].brush).color, squares.at(0), arrows.at(0)},
          {std::get<SolidBrush>(texts[3].brush).color, squares.at(1), arrows.at(1)}};
}

TEST(EditorPaint, TheHoveredOrEditedCalloutIsHighlighted) {
  const CalloutLook normal{0xFAC8C8C8, 0x80303030, 0x7A101010};
  const CalloutLook highlighted{0xFAFFFFFF, 0x80101010, 0xFCFFFFFF};
  struct Row { const char* name; int32_t hovered, edited; std::vector<CalloutLook> looks; };
  const Row rows[] = {
      {"nothing",                        -1, -1, {normal, normal}},
      {"hovering bt4",                    4, -1, {normal, highlighted}},
      {"the picker open for bt3",        -1,  3, {highlighted, normal}},
      {"hovering bt4, editing bt3",       4,  3, {highlighted, highlighted}},
      {"hovering a button without callout", 1, -1, {normal, normal}},
  };
  for (const Row& row : rows) {
    EditorPaintInput input = Input(kCatalogue.forwardId, kCatalogue.backwardId);
    input.hoveredCallout = row.hovered;
    input.editedCallout = row.edited;
    RecordingCanvas canvas;
    PaintEditor(canvas, input);
    EXPECT_EQ(Looks(canvas), row.looks) << row.name;
  }
}

TEST(EditorPaint, DefaultAndWindowControls) {
  struct Row { const char* name; int32_t pressed, hoveredDefault, hoveredControl; std::vector<std::string> lines; };
  const Row rows[] = {
      {"at rest", -1, -1, -1,
       {"fill rect (500, 50, 100 x 32) with solid 0x40101010",
        "text \"Default\" Tahoma 15 px in (500, 50, 100 x 32) with solid 0xFEFFFFFF",
        "fill rect (598, 14, 20 x 20) with solid 0x40101010",
        "stroke rect (598, 14, 20 x 20) with pen 0xA6A6A6A6 w 1",
        "line (602, 24) to (614, 24) with pen 0xA6A6A6A6 w 1",
        "fill rect (626, 14, 20 x 20) with solid 0x40101010",
        "stroke rect (626, 14, 20 x 20) with pen 0xA6A6A6A6 w 1",
        "line (630, 18) to (642, 30) with pen 0xA6A6A6A6 w 1",
        "line (642, 18) to (630, 30) with pen 0xA6A6A6A6 w 1"}},
      {"Default hovered", -1, 0, -1,
       {"fill rect (500, 50, 100 x 32) with solid 0x80101010",
        "stroke rect (500, 50, 100 x 32) with pen 0x80FFFFFF w 1"}},
      {"Default pressed", 0, 0, -1,
       {"fill rect (500, 50, 100 x 32) with solid 0xC8101010",
        "stroke rect (500, 50, 100 x 32) with pen 0xFEFFFFFF w 1"}},
      {"Close hovered", -1, -1, 1,
       {"fill rect (500, 50, 100 x 32) with solid 0x40101010",
        "text \"Default\" Tahoma 15 px in (500, 50, 100 x 32) with solid 0xFEFFFFFF",
        "fill rect (598, 14, 20 x 20) with solid 0x40101010",
        "stroke rect (598, 14, 20 x 20) with pen 0xA6A6A6A6 w 1",
        "line (602, 24) to (614, 24) with pen 0xA6A6A6A6 w 1",
        "fill rect (626, 14, 20 x 20) with solid 0x80101010",
        "stroke rect (626, 14, 20 x 20) with pen 0xC8FFFFFF w 1"}},
  };
  for (const Row& row : rows) {
    EditorPaintInput input = Input(kCatalogue.forwardId, kCatalogue.backwardId);
    input.pressedControl = row.pressed;
    input.hoveredDefault = row.hoveredDefault;
    input.hoveredControl = row.hoveredControl;
    RecordingCanvas canvas;
    const EditorHotRegions regions = PaintEditor(canvas, input);
    const std::string described = canvas.Describe();
    std::vector<std::string> lines;
    size_t start = described.find('\n') + 1;  // after "anti-alias on"
    for (size_t i = 0; i < row.lines.size(); ++i) {
      const size_t end = described.find('\n', start);
      lines.push_back(described.substr(start, end - start));
      start = end + 1;
    }
    EXPECT_EQ(lines, row.lines) << row.name;
    EXPECT_EQ(regions.defaultControl, (Rect{500, 50, 600, 82}));
    EXPECT_EQ(regions.minimize, (Rect{598, 14, 618, 34}));
    EXPECT_EQ(regions.close, (Rect{626, 14, 646, 34}));
    EXPECT_EQ(regions.defaultTipAnchor, (Point{550, 115}));
  }
}

TEST(EditorPaint, LeaderLinesBlackThenYellowAPixelHigher) {
  RecordingCanvas canvas;
  PaintEditor(canvas, Input(kCatalogue.forwardId, kCatalogue.backwardId));
  std::vector<Line> leaders;
  for (const Line& l : CallsOf<Line>(canvas)) {
    if (l.pen.color == 0xFE000000 || l.pen.color == 0xFEFFFF00) leaders.push_back(l);
  }
  // Four leaders (the side buttons, the extra key, the order) of three segments, and four gesture
  // signs, each black then yellow.
  ASSERT_EQ(leaders.size(), 32u);
  EXPECT_EQ(leaders[0], (Line{Pen{0xFE000000, 6, LineCap::ArrowAnchor, LineCap::Flat}, {380, 276}, {379, 275}}));
  EXPECT_EQ(leaders[1], (Line{Pen{0xFE000000, 4, LineCap::Round, LineCap::Flat}, {376, 272}, {366, 262}}));
  EXPECT_EQ(leaders[3], (Line{Pen{0xFEFFFF00, 6, LineCap::ArrowAnchor, LineCap::Flat}, {380, 275}, {379, 274}}));
  EXPECT_EQ(leaders[5], (Line{Pen{0xFEFFFF00, 4, LineCap::Round, LineCap::Flat}, {366, 261}, {336, 261}}));
  EXPECT_EQ(leaders[6], (Line{Pen{0xFE000000, 6, LineCap::ArrowAnchor, LineCap::Flat}, {420, 246}, {421, 247}}));
  EXPECT_EQ(leaders[11], (Line{Pen{0xFEFFFF00, 4, LineCap::Round, LineCap::Flat}, {434, 259}, {444, 259}}));
}

TEST(EditorPaint, EveryCalloutShowsWhatItsSlotHolds) {
  LocalisedTexts german;
  german.orderWords = {L"Reihenfolge:", L"Links", L"Rechts", L"Mitte"};
  german.orderLabels = BuildOrderLabels(L"Links", L"Rechts", L"Mitte");
  struct Row { const char* name; int32_t callout; int32_t value; const LocalisedTexts* texts; std::wstring shown; };
  const Row rows[] = {
      {"gesture up",                     5, 12, &kEnglish, L"Copy"},
      {"gesture right with nothing",     8, 0,  &kEnglish, L"No function"},
      {"the extra key",                  9, 13, &kEnglish, L"Paste"},
      {"an extra key beyond the catalogue", 9, 99, &kEnglish, L"No function"},
      {"the order",                     10, 3,  &kEnglish, L"Right \u00B7 Middle \u00B7 Left"},
      {"an order out of range",         10, 9,  &kEnglish, L"Middle \u00B7 Left \u00B7 Right"},
      {"a negative order",              10, -1, &kEnglish, L"Middle \u00B7 Left \u00B7 Right"},
      {"a language file's order words", 10, 0,  &german,   L"Mitte \u00B7 Links \u00B7 Rechts"},
  };
  for (const Row& row : rows) {
    EditorPaintInput input = Input(kCatalogue.forwardId, kCatalogue.backwardId);
    input.texts = row.texts;
    if (row.callout == kOrderCallout) {
      input.buttonOrder = row.value;
    } else {
      input.slots[static_cast<size_t>(row.callout)] = row.value;
    }
    RecordingCanvas canvas;
    PaintEditor(canvas, input);
    const std::vector<Text> texts = CalloutTexts(canvas);
    ASSERT_EQ(texts.size(), 16u) << row.name;
    // Callouts are painted in their order from bt3 on, each as shadow then text.
    EXPECT_EQ(texts[static_cast<size_t>(2 * (row.callout - kFirstSideButtonCallout) + 1)].text, row.shown) << row.name;
    bool titled = false;
    for (const Text& t : CallsOf<Text>(canvas)) titled = titled || t.text == row.texts->orderWords[0];
    EXPECT_TRUE(titled) << row.name << ": the order's box carries its title";
  }
}

TEST(EditorPaint, EveryCalloutReactsWhereItIsPainted) {
  RecordingCanvas canvas;
  const EditorHotRegions regions = PaintEditor(canvas, Input(kCatalogue.forwardId, kCatalogue.backwardId));
  std::vector<RectF> boxes;
  for (const Fill& f : CallsOf<Fill>(canvas)) {
    if (std::get<SolidBrush>(f.brush).color == 0x80202020) boxes.push_back(std::get<RectF>(f.shape));
  }
  ASSERT_EQ(boxes.size(), 8u);
  for (int32_t id = kFirstSideButtonCallout; id < kCalloutCount; ++id) {
    const Rect& hot = regions.callouts[static_cast<size_t>(id)];
    const RectF& box = boxes[static_cast<size_t>(id - kFirstSideButtonCallout)];
    EXPECT_LT(hot.left, hot.right) << id;
    EXPECT_TRUE(hot.left >= box.x && hot.top >= box.y && hot.right <= box.right() && hot.bottom <= box.bottom()) << id;
  }
}

TEST(EditorPaint, ALabelTooLongForItsRoomEndsInAnEllipsisOnOneLine) {
  LocalisedTexts texts;
  texts.functionLabels[13] = std::wstring(40, L'W');  // "Copy", 360 pixels wide here
  const Catalogue renamed = BuildCatalogue(texts.functionLabels, false);
  EditorPaintInput input = Input(renamed.forwardId, renamed.backwardId);
  input.catalogue = &renamed;
  input.slots[kExtraKeyCallout] = 12;
  RecordingCanvas canvas;
  PaintEditor(canvas, input);
  const Text extraKey = CalloutTexts(canvas)[static_cast<size_t>(2 * (kExtraKeyCallout - kFirstSideButtonCallout) + 1)];
  EXPECT_EQ(extraKey.format.trimming, Trimming::EllipsisCharacter);
  EXPECT_TRUE(extraKey.format.oneLine);
  EXPECT_LT(extraKey.box.width, 360);
  EXPECT_GE(extraKey.box.x, 0);
  const Text bt3 = CalloutTexts(canvas)[1];
  EXPECT_FALSE(bt3.format.oneLine) << "a label with room is drawn as it always was";
}

}  // namespace
}  // namespace corvan
