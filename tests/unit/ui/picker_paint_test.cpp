#include "ui/picker_paint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "recording_canvas.h"

namespace corvan {
namespace {

// Every image is 20 x 20, except those it is told are missing.
class FakeImages : public ImageLoader {
 public:
  std::vector<int> loaded;
  std::vector<int> missing;
  const ArgbImage* Load(int id) override {
    loaded.push_back(id);
    for (int m : missing) {
      if (m == id) return nullptr;
    }
    return &image_;
  }

 private:
  ArgbImage image_{20, 20};
};

std::vector<std::string> Lines(const RecordingCanvas& canvas) {
  std::vector<std::string> lines;
  std::istringstream in(canvas.Describe());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

const PickerRows kTopLevel = GroupMembers(BuildCatalogue(DefaultFunctionLabels(), false), 0);

// The slot holds "Copy": its group's row ("Function key", 3) carries the dot in the top list, and
// its own row in the group's list; nothing else does.
TEST(PickerPaint, TheCurrentFunctionAndItsGroupCarryADot) {
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
  const PickerRows functionKeys = GroupMembers(catalogue, 30);
  struct Case { const char* name; const PickerRows* rows; int32_t index; int32_t group; std::string dot; };
  const Case cases[] = {
      {"top list",          &kTopLevel,     12, 30, "fill ellipse (267, 125, 8 x 8) with solid 0xFF3FC8FF"},
      {"group's list",      &functionKeys,  12, 30, "fill ellipse (267, 53, 8 x 8) with solid 0xFF3FC8FF"},
      {"No function",       &kTopLevel,     0,  0,  "fill ellipse (267, 17, 8 x 8) with solid 0xFF3FC8FF"},
  };
  for (const Case& c : cases) {
    RecordingCanvas canvas;
    FakeImages images;
    PickerPaintState state{c.rows, false, 0, 0, -1, 144, 301, 300};
    state.currentIndex = c.index;
    state.currentGroup = c.group;
    PaintPicker(canvas, state, images);
    const std::vector<std::string> lines = Lines(canvas);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("ellipse") != std::string::npos; }), 1)
        << c.name;
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.dot), lines.end()) << c.name;
  }
  RecordingCanvas quickLaunch;
  FakeImages images;
  PaintPicker(quickLaunch, {&kTopLevel, false, 0, 0, -1, 144, 301, 300}, images);
  EXPECT_EQ(quickLaunch.Describe().find("ellipse"), std::string::npos) << "nothing is current in a quick-launch list";
}

// The top-level menu, 300 x 224, "System" hovered: shadow, body, then each row.
TEST(PickerPaint, ShadowBodyAndRowsWithTheHoveredOne) {
  RecordingCanvas canvas;
  FakeImages images;
  PaintPicker(canvas, {&kTopLevel, false, 0, 0, 1, 144, 301, 225}, images);
  const std::vector<std::string> expected = {
      "anti-alias on",
      "fill rounded (0, 0, 300 x 224) r 3.5 with solid 0x10101010",
      "fill rounded (1, 1, 298 x 222) r 3 with solid 0x20101010",
      "fill rounded (2, 2, 296 x 220) r 2.5 with solid 0x30101010",
      "fill rounded (3, 3, 294 x 218) r 2 with solid 0x40101010",
      "clip rounded (4, 4, 292 x 216) r 1.5 mode 0",
      "fill rect (0, 0, 301 x 225) with texture",
      "fill rect (36, 0, 269 x 225) with solid 0x5A202020",
      "image 20 x 20 into (8, 12, 20 x 20)",  // the icon of "No function", centred in its row
      "text \"No function\" Arial 18 px in (40, 4, 260 x 36) with solid 0xFAFFFFFF",
      "fill rounded (5, 41, 290 x 34) r 1 with gradient 0xC8BEBEBE to 0xB4A0A0A0",
      "image 20 x 20 into (8, 48, 20 x 20)",  // the group marker
      "fill path of 4 segments with solid 0xFA000000",
      "text \"System\" Arial 18 px in (40, 40, 260 x 36) with solid 0xFAFFFFFF",
  };
  const std::vector<std::string> lines = Lines(canvas);
  ASSERT_GE(lines.size(), expected.size()) << canvas.Describe();
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(expected.size())),
            expected);
  EXPECT_EQ(lines.back(), "reset clip");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "fill path of 4 segments with solid 0xFA000000"), 5)
      << "a triangle on each of the five groups";
  EXPECT_EQ(images.loaded, (std::vector<int>{148, 154, 144, 144, 144, 144, 144}));

  // The group's triangle points right, centred on the row.
  const auto* triangle = std::get_if<RecordingCanvas::FillCall>(&canvas.calls()[12]);
  ASSERT_NE(triangle, nullptr);
  EXPECT_EQ(std::get<Path>(triangle->shape), Path().MoveTo({289, 57}).LineTo({281, 62}).LineTo({281, 52}).Close());
  const auto* label = std::get_if<RecordingCanvas::TextCall>(&canvas.calls()[13]);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->format, (TextFormat{TextAlign::Near, TextAlign::Center, Trimming::Word}));
}

TEST(PickerPaint, AnEmptyListSaysSo) {
  RecordingCanvas canvas;
  FakeImages images;
  const PickerRows none;
  PaintPicker(canvas, {&none, true, 0, 0, -1, 144, 301, 9}, images);
  const std::vector<std::string> lines = Lines(canvas);
  EXPECT_EQ(lines[lines.size() - 2], "text \"No item\" Tahoma 20 px in (0, 0, 301 x 9) with solid 0xFAFFFFFF");
}

TEST(PickerPaint, RowsSlideByTheOffsetWithTheRowAboveComingIn) {
  RecordingCanvas canvas;
  FakeImages images;
  images.missing = {154};  // an icon that does not load is skipped; its row is still drawn
  PickerRows rows = kTopLevel;
  _QxItemListDB separator;
  separator.kind = kKindTall;
  rows.insert(rows.begin() + 2, separator);
  // Scrolled to row 3 and sliding back from 20 pixels below: rows 2 (the separator) and 3 on top.
  PaintPicker(canvas, {&rows, false, 3, 20, -1, 0, 301, 225}, images);
  const std::vector<std::string> lines = Lines(canvas);
  const std::vector<std::string> expected = {
      "line (40, 20) to (291, 20) with pen 0x6F7A7A7A w 1",  // the separator, 8 pixels tall, at 20 - 8
      "line (40, 21) to (291, 21) with pen 0x6F202020 w 1",
      "fill path of 4 segments with solid 0xFA000000",
      "text \"Application\" Arial 18 px in (40, 24, 260 x 36) with solid 0xFAFFFFFF",
  };
  ASSERT_GE(lines.size(), 8 + expected.size()) << canvas.Describe();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 8, lines.begin() + 8 + static_cast<std::ptrdiff_t>(expected.size())),
            expected)
      << canvas.Describe();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("image", 0) == 0; }), 0)
      << "no group marker, no icon";
}

}  // namespace
}  // namespace corvan
