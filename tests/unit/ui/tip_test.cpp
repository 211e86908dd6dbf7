#include "ui/tip.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "recording_canvas.h"

namespace corvan {
namespace {

using Call = RecordingCanvas::Call;

}  // namespace

void PrintTo(const TipBounds& b, std::ostream* os) {
  *os << "(" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << ")";
}

namespace {

TEST(TipGeometry, MeasuresAQuarterLargerThanItDraws) {
  struct Row { int textSize; int measured; };
  const Row rows[] = {{48, 60}, {20, 25}, {21, 26}, {3, 3}, {0, 0}};
  for (const Row& r : rows) EXPECT_EQ(TipMeasureFontSize(r.textSize), r.measured) << r.textSize;
}

TEST(TipGeometry, CentredOnThePointWithMarginsCutTowardZero) {
  struct Row {
    int x, y;
    SizeF text;
    TipBounds bounds;
  };
  const Row rows[] = {
      //  point        measured text     left   top  width height
      {640, 400, {100, 20},     {569, 376, 140, 48}},  // 569.75, 140.5 cut
      {640, 400, {0, 0},        {626, 386, 28, 28}},   // nothing measured: 28 x 28 on the point
      {10, 100, {100, 24.5f},   {-60, 73, 140, 52}},   // -60.25 cuts toward zero, to -60
      {0, 0, {33.3f, 12.2f},    {-32, -20, 65, 40}},   // -32.73, -20.1, 65.46, 40.2
      {1000, 5, {400, 72.4f},   {761, -45, 478, 100}}, // not kept inside the screen
  };
  for (const Row& r : rows) {
    EXPECT_EQ(TipWindowBounds(r.x, r.y, r.text), r.bounds) << r.x << "," << r.y << " " << r.text.width;
  }
}

TEST(TipGeometry, AtAnyScaleTheTipIsItsSizeAt96DpiTimesTheScale) {
  // The window scales the text size; the margins scale here. "Copy" at 20 px is 50 x 31.25 as
  // measured by the recording canvas at 96 DPI.
  for (int32_t dpi : {96, 120, 144, 192}) {
    const DisplayScale scale{dpi};
    RecordingCanvas canvas;
    const TipBounds at96 = TipWindowBounds(640, 400, MeasureTipText(canvas, L"Copy", 20));
    const TipBounds scaled = TipWindowBounds(640, 400, MeasureTipText(canvas, L"Copy", scale.Px(20)), scale);
    EXPECT_NEAR(scaled.width, at96.width * scale.Factor(), 2) << dpi;
    EXPECT_NEAR(scaled.height, at96.height * scale.Factor(), 2) << dpi;
    EXPECT_NEAR(scaled.left + scaled.width / 2, 640, 2) << dpi << ": still centred on the point";
  }
}

TEST(TipGeometry, MeasuresInTahomaAtTheLargerSizeInAWideLine) {
  RecordingCanvas canvas;
  const SizeF size = MeasureTipText(canvas, L"Copy", 48);
  ASSERT_EQ(canvas.calls().size(), 1u);
  const auto& measure = std::get<RecordingCanvas::MeasureCall>(canvas.calls()[0]);
  EXPECT_EQ(measure.font, (Font{kTahoma, 60}));
  EXPECT_EQ(measure.layout, (RectF{0, 0, 1024, 100}));
  EXPECT_EQ(measure.format, (TextFormat{TextAlign::Center, TextAlign::Center, Trimming::Word}));
  EXPECT_EQ(size, (SizeF{0.5f * 60 * 4, 1.25f * 60}));
}

TEST(TipGeometry, LargeTextIsDrawnWellInsideThePanel) {
  RecordingCanvas canvas;
  const std::wstring text = L"Screen snap #2";
  const TipBounds bounds = TipWindowBounds(700, 400, MeasureTipText(canvas, text, 48));
  RecordingCanvas painted;
  PaintTip(painted, nullptr, text, 48, bounds.width + 1, bounds.height + 1);
  const auto drawn = std::get<RecordingCanvas::TextCall>(painted.calls().back());
  const SizeF drawnSize = RecordingCanvas().MeasureString(text, drawn.font, kTipMeasureLayout, drawn.format);
  // Room to spare on each side: the margin plus a quarter of the size the text was measured at.
  EXPECT_GT((bounds.width - drawnSize.width) / 2, 14 + 0.2f * drawnSize.width / 2);
  EXPECT_GT((bounds.height - drawnSize.height) / 2, 14);
}

TEST(TipPaint, PanelStretchedOverTheSurfaceThenTheTextCentred) {
  const ArgbImage panel(102, 32);
  RecordingCanvas canvas;
  PaintTip(canvas, &panel, L"Copy", 48, 201, 91);
  const std::vector<Call> expected = {
      RecordingCanvas::ImageCall{102, 32, {0, 0, 201, 91}},
      RecordingCanvas::TextCall{L"Copy", Font{kTahoma, 48}, SolidBrush{0xFAFFFFFF}, {0, 0, 201, 91},
                                TextFormat{TextAlign::Center, TextAlign::Center, Trimming::Word}},
  };
  EXPECT_EQ(canvas.calls(), expected) << canvas.Describe();
}

TEST(TipPaint, WithoutThePanelOnlyTheTextIsDrawn) {
  RecordingCanvas canvas;
  PaintTip(canvas, nullptr, L"Minimize", 20, 120, 50);
  ASSERT_EQ(canvas.calls().size(), 1u) << canvas.Describe();
  const auto& text = std::get<RecordingCanvas::TextCall>(canvas.calls()[0]);
  EXPECT_EQ(text.text, L"Minimize");
  EXPECT_EQ(text.font, (Font{kTahoma, 20}));
}

// The ticks of a fade until it goes idle, as levels and "hide", repeats written as level*count.
std::string Trace(TipFade& fade, int limit = 1000) {
  std::string out;
  std::string last;
  int repeats = 0;
  auto flush = [&] {
    if (last.empty()) return;
    if (!out.empty()) out += ' ';
    out += last;
    if (repeats > 1) {
      out += '*';
      out += std::to_string(repeats);
    }
  };
  for (int i = 0; i < limit && !fade.idle(); ++i) {
    const TipTick tick = fade.Step();
    const std::string token = tick.action == TipTick::Action::Hide      ? "hide"
                              : tick.action == TipTick::Action::Present ? std::to_string(tick.level)
                                                                        : "none";
    if (token == last) {
      ++repeats;
    } else {
      flush();
      last = token;
      repeats = 1;
    }
  }
  flush();
  return out;
}

void Steps(TipFade& fade, int count) {
  for (int i = 0; i < count; ++i) fade.Step();
}

TEST(TipFade, Sequences) {
  const std::string in = "25 50 75 100 125 150 175 200 225 250";
  const std::string out = "230 205 180 155 130 105 80 55 30 5 0 hide";
  struct Row {
    const char* name;
    std::function<void(TipFade&)> before;
    std::string ticks;
  };
  const Row rows[] = {
      {"display 30 holds three ticks", [](TipFade& f) { f.Show(30); }, in + " 255*4 " + out},
      {"display 39 is cut to three ticks", [](TipFade& f) { f.Show(39); }, in + " 255*4 " + out},
      {"display 0 fades in to 255 and straight out", [](TipFade& f) { f.Show(0); }, in + " 255 " + out},
      {"a negative display is 0", [](TipFade& f) { f.Show(-500); }, in + " 255 " + out},
      {"a stop during the fade-in fades out from the level reached",
       [](TipFade& f) { f.Show(1000); Steps(f, 4); f.Stop(); }, "75 50 25 0 hide"},
      {"a stop during the hold fades out from 255",
       [](TipFade& f) { f.Show(1000); Steps(f, 20); f.Stop(); }, out},
      {"a stop during the fade-out changes nothing",
       [](TipFade& f) { f.Show(0); Steps(f, 13); f.Stop(); }, "180 155 130 105 80 55 30 5 0 hide"},
      {"a stop before the first tick only hides", [](TipFade& f) { f.Show(1000); f.Stop(); }, "hide"},
      {"a second show during the hold starts again from 0",
       [](TipFade& f) { f.Show(1000); Steps(f, 15); f.Show(20); }, in + " 255*3 " + out},
      {"a second show during the fade-out starts again from 0",
       [](TipFade& f) { f.Show(0); Steps(f, 14); f.Show(0); }, in + " 255 " + out},
      {"a stop while hidden does nothing", [](TipFade& f) { f.Stop(); }, ""},
      {"a cancel ends the display with no fade", [](TipFade& f) { f.Show(1000); Steps(f, 5); f.Cancel(); }, ""},
      {"nothing shown, nothing to do", [](TipFade&) {}, ""},
  };
  for (const Row& r : rows) {
    TipFade fade;
    r.before(fade);
    EXPECT_EQ(Trace(fade), r.ticks) << r.name;
    EXPECT_TRUE(fade.idle()) << r.name;
    EXPECT_EQ(fade.Step(), TipTick{}) << r.name << ": an idle fade has nothing to do";
  }
}

TEST(TipFade, ThreeSecondsShowTheTipForAboutThreePointTwoSeconds) {
  TipFade fade;
  fade.Show(3000);
  int ticks = 0;
  int opaque = 0;
  while (!fade.idle()) {
    const TipTick tick = fade.Step();
    ++ticks;
    if (tick.action == TipTick::Action::Present && tick.level == 255) ++opaque;
  }
  EXPECT_EQ(opaque, 301) << "the tick that reaches 255 and 300 held ticks";
  EXPECT_EQ(ticks * kTipTickMs, 3230) << "11 ticks in, 300 held, 11 out, one to hide";
}

TEST(TipFade, LevelFollowsTheTicks) {
  TipFade fade;
  EXPECT_TRUE(fade.idle());
  fade.Show(10);
  EXPECT_FALSE(fade.idle());
  EXPECT_EQ(fade.level(), 0);
  Steps(fade, 3);
  EXPECT_EQ(fade.level(), 75);
  fade.Cancel();
  EXPECT_TRUE(fade.idle());
  EXPECT_EQ(fade.level(), 0);
}

}  // namespace
}  // namespace corvan
