#include "presenter/board_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvan {
namespace {

// Writes down what the board asks of its window, one word per request.
class RecordingSink final : public BoardSink {
 public:
  void ShowBoard() override { log.push_back("show"); }
  void HideBoard() override { log.push_back("hide"); }
  void ClearBoard() override { log.push_back("clear"); }
  void WriteSnap(SnapTarget target) override { log.push_back(target == SnapTarget::File ? "file" : "clipboard"); }
  void PaintInk(Point from, Point to, int colorIndex) override {
    log.push_back("ink " + std::to_string(from.x) + "," + std::to_string(from.y) + "-" + std::to_string(to.x) + "," +
                  std::to_string(to.y) + " c" + std::to_string(colorIndex));
  }
  void Invalidate(const Rect& area) override { invalidated.push_back(area); }

  // The requests other than invalidation, joined.
  std::string Requests() const {
    std::string text;
    for (const std::string& entry : log) text += (text.empty() ? "" : "; ") + entry;
    return text;
  }
  std::vector<std::string> log;
  std::vector<Rect> invalidated;
};

constexpr int kWidth = 99;  // one narrower than a 100-pixel monitor
constexpr int kHeight = 80;
constexpr int kSize = 400;

struct Board {
  explicit Board(int32_t mode, Point pointer = {50, 40}) { state.Start(mode, kWidth, kHeight, pointer, kSize); }
  void Input(uint16_t flags, Point p, int dx = 0, int dy = 0, int16_t wheel = 0, bool visible = true) {
    state.OnRawMouse({dx, dy, flags, wheel}, p, visible, kSize, sink);
  }
  void Press(Point p) { Input(kRawLeftDown, p); }
  void MoveTo(Point p) { Input(0, p, 1, 1); }
  void Release(Point p) { Input(kRawLeftUp, p); }
  void Drag(std::vector<Point> points) {
    Press(points.front());
    for (size_t i = 1; i < points.size(); ++i) MoveTo(points[i]);
    Release(points.back());
  }
  BoardState state;
  RecordingSink sink;
};

TEST(BoardState, WhichSnapEachReleaseWrites) {
  struct Row { int32_t mode; uint16_t flags; const char* requests; };
  const Row rows[] = {
      {kBoardHighlighter,   kRawRightUp,               "file"},
      {kBoardHighlighter,   kRawButton5Up,             "file"},
      {kBoardHighlighter,   kRawLeftUp,                ""},  // a stroke ends, nothing is written
      {kBoardSnapFreeForm,  kRawRightUp,               "file"},
      {kBoardSnapRectangle, kRawButton5Up,             "file"},
      {kBoardSnapRectangle, kRawButton5Up | kRawRightUp, "file; file"},
      {kBoardSpotlight,     kRawRightUp,               ""},
      {kBoardSpotlight,     kRawButton5Up,             ""},
      {kBoardSpotlight,     kRawMiddleUp,              ""},
      {kBoardHighlighter,   kRawMiddleUp,              "clear"},
      {kBoardSnapFreeForm,  kRawMiddleUp,              "clear"},
      // Left release without a press in this mode: no selection to finish.
      {kBoardSnapRectangle, kRawLeftUp,                ""},
  };
  for (const Row& r : rows) {
    Board board(r.mode);
    board.Input(r.flags, {10, 10});
    EXPECT_EQ(board.sink.Requests(), r.requests) << "mode " << r.mode << " flags " << r.flags;
  }
}

TEST(BoardState, FinishingASelectionCopiesItAndARightClickThenWritesIt) {
  Board board(kBoardSnapRectangle);
  board.Drag({{20, 30}, {25, 31}, {12, 40}});
  EXPECT_EQ(board.sink.Requests(), "clipboard");
  EXPECT_EQ(board.state.selectionBounds(), (Rect{12, 30, 21, 41}));
  EXPECT_TRUE(board.state.hasSelection());
  board.Input(kRawRightUp, {50, 50});
  EXPECT_EQ(board.sink.Requests(), "clipboard; file");
  EXPECT_EQ(board.state.selectionBounds(), (Rect{12, 30, 21, 41}));
}

TEST(BoardState, AClickWithoutMovingSelectsOnePixel) {
  Board board(kBoardSnapRectangle);
  board.Press({7, 9});
  board.Release({7, 9});
  EXPECT_EQ(board.state.selectionBounds(), (Rect{7, 9, 8, 10}));
  EXPECT_EQ(board.sink.Requests(), "clipboard");
}

TEST(BoardState, ASelectionDraggedPastTheEdgeStopsAtTheBoard) {
  Board board(kBoardSnapRectangle);
  board.Press({90, 70});
  board.MoveTo({5000, 6000});
  board.Release({5000, 6000});
  EXPECT_EQ(board.state.selectionBounds(), (Rect{90, 70, kWidth, kHeight}));
  Board lasso(kBoardSnapFreeForm);
  lasso.Drag({{10, 10}, {-300, 20}, {40, -90}});
  for (const Point& p : lasso.state.lasso()) {
    EXPECT_TRUE(p.x >= 0 && p.x < kWidth && p.y >= 0 && p.y < kHeight) << p.x << "," << p.y;
  }
  EXPECT_EQ(lasso.state.selectionBounds(), (Rect{0, 0, 41, 21}));
}

TEST(BoardState, TheWheelCyclesTheColourWithWrap) {
  struct Row { int startTurns; int16_t wheel; int expected; };
  const Row rows[] = {
      {0, 120, 4},    // forward from red: the eraser
      {0, -120, 1},   // backward from red: green
      {-4, -120, 0},  // backward from the eraser: red
      {-2, 120, 1},
      {0, 0, 0},      // a wheel flag with no turn changes nothing
  };
  for (const Row& r : rows) {
    Board board(kBoardHighlighter);
    for (int i = 0; i < -r.startTurns; ++i) board.Input(kRawWheel, {10, 10}, 0, 0, -120);
    board.Input(kRawWheel, {10, 10}, 0, 0, r.wheel);
    EXPECT_EQ(board.state.colorIndex(), r.expected) << r.startTurns << " " << r.wheel;
    EXPECT_EQ(board.sink.invalidated.back(), (Rect{-10, -10, 30, 30}));
  }
}

TEST(BoardState, TheColourSurvivesFromOneUseToTheNext) {
  Board board(kBoardHighlighter);
  board.Input(kRawWheel, {10, 10}, 0, 0, -120);
  board.state.Stop();
  board.state.Start(kBoardHighlighter, kWidth, kHeight);
  EXPECT_EQ(board.state.colorIndex(), 1);
}

TEST(BoardState, HighlighterStrokesFollowThePointerWhileTheLeftButtonIsHeld) {
  Board board(kBoardHighlighter, {70, 60});
  board.MoveTo({5, 5});  // the mark moves, nothing is painted
  // The first move repaints where the first frame drew the mark.
  EXPECT_EQ(board.sink.invalidated.front(), (Rect{-15, -15, 90, 80}));
  board.Press({10, 10});
  board.MoveTo({14, 12});
  board.MoveTo({20, 12});
  board.Release({20, 12});
  board.MoveTo({30, 30});
  EXPECT_EQ(board.sink.Requests(), "ink 10,10-10,10 c0; ink 10,10-14,12 c0; ink 14,12-20,12 c0");
  // Each move repaints the mark's old and new place.
  EXPECT_EQ(board.sink.invalidated.back(), (Rect{0, -8, 50, 50}));
}

TEST(BoardState, NoInkIsPaintedWhileTheBoardIsNotOnTheScreen) {
  Board board(kBoardHighlighter);
  board.Input(kRawLeftDown, {10, 10}, 0, 0, 0, false);
  EXPECT_EQ(board.sink.Requests(), "show");
}

TEST(BoardState, TheBoardHidesWhenOffAndShowsWhenOn) {
  BoardState state;
  RecordingSink sink;
  state.OnRawMouse({1, 0, 0, 0}, {1, 1}, true, kSize, sink);
  state.OnRawMouse({1, 0, kRawRightUp, 0}, {1, 1}, false, kSize, sink);
  EXPECT_EQ(sink.Requests(), "hide");
}

TEST(BoardState, MiddleReleaseClearsTheSelectionButNotTheColour) {
  Board board(kBoardSnapRectangle);
  board.Input(kRawWheel, {10, 10}, 0, 0, -120);
  board.Drag({{20, 30}, {40, 50}});
  board.Input(kRawMiddleUp, {40, 50});
  EXPECT_FALSE(board.state.hasSelection());
  EXPECT_EQ(board.state.startPoint(), (Point{0, 0}));
  EXPECT_EQ(board.state.endPoint(), (Point{0, 0}));
  EXPECT_EQ(board.state.colorIndex(), 1);
  EXPECT_EQ(board.state.Overlay({1, 1}, false, nullptr).darken, BoardOverlay::Darken::None);
}

TEST(BoardState, DarkeningAroundARectangleNeedsNoEndOnColumnOrRowZero) {
  struct Row { Point from, to; bool darkened; };
  const Row rows[] = {
      {{10, 10}, {30, 20}, true},
      {{0, 10}, {30, 20}, false},
      {{10, 10}, {30, 0}, false},
      {{10, 0}, {30, 20}, false},
      {{30, 20}, {10, 10}, true},
  };
  for (const Row& r : rows) {
    Board board(kBoardSnapRectangle);
    board.Press(r.from);
    board.MoveTo(r.to);
    const BoardOverlay drawing = board.state.Overlay({1, 1}, false, nullptr);
    EXPECT_EQ(drawing.outline, BoardOverlay::Outline::Rect);
    EXPECT_EQ(drawing.darken, BoardOverlay::Darken::None);
    board.Release(r.to);
    const BoardOverlay done = board.state.Overlay({1, 1}, false, nullptr);
    EXPECT_EQ(done.outline, BoardOverlay::Outline::None);
    EXPECT_EQ(done.darken == BoardOverlay::Darken::OutsideRect, r.darkened) << r.from.x << "," << r.from.y;
  }
}

TEST(BoardState, ALassoOfOneOrTwoPointsIsNotDarkenedAround) {
  struct Row { std::vector<Point> points; bool darkened; };
  const Row rows[] = {
      {{{10, 10}}, false},
      {{{10, 10}, {20, 10}}, false},
      {{{10, 10}, {20, 10}, {20, 10}}, false},  // a repeated point adds nothing
      {{{10, 10}, {20, 10}, {15, 20}}, true},
  };
  for (const Row& r : rows) {
    Board board(kBoardSnapFreeForm);
    board.Drag(r.points);
    EXPECT_EQ(board.state.Overlay({1, 1}, false, nullptr).darken == BoardOverlay::Darken::OutsideSpans, r.darkened)
        << r.points.size();
  }
}

TEST(BoardState, ALassoClosesBackToItsStartOnRelease) {
  Board board(kBoardSnapFreeForm);
  board.Drag({{10, 10}, {30, 10}, {30, 30}, {10, 30}});
  EXPECT_EQ(board.state.lasso().size(), 4u);
  EXPECT_EQ(board.state.selectionBounds(), (Rect{10, 10, 31, 31}));
  EXPECT_TRUE(board.state.lassoSpans().Contains(20, 20));
  EXPECT_FALSE(board.state.lassoSpans().Contains(5, 20));
  EXPECT_EQ(board.sink.Requests(), "clipboard");
}

TEST(BoardState, ALassoOfThousandsOfPointsRepaintsOnlyWhereItGrew) {
  Board board(kBoardSnapFreeForm);
  board.Press({40, 40});
  for (int i = 1; i <= 5000; ++i) board.MoveTo({40 + (i % 50) - 25, 40 + (i / 50) % 30 - 15});
  for (size_t i = 1; i < board.sink.invalidated.size(); ++i) {
    const Rect& r = board.sink.invalidated[i];
    ASSERT_LE(r.right - r.left, 52) << i;
  }
  board.Release({40, 40});
  EXPECT_GT(board.state.lasso().size(), 2000u);
  EXPECT_FALSE(board.state.lassoSpans().empty());
}

TEST(BoardState, TheSpotlightRepaintsItsOldAndNewPlace) {
  Board board(kBoardSpotlight, {50, 40});
  board.MoveTo({50, 40});
  EXPECT_EQ(board.sink.invalidated.back(), (Rect{-152, -162, 252, 242}));
  board.MoveTo({60, 40});
  EXPECT_EQ(board.sink.invalidated.back(), (Rect{-152, -162, 262, 242}));
  EXPECT_EQ(board.state.Overlay({60, 40}, false, nullptr).darken, BoardOverlay::Darken::OutsideSpans);
}

TEST(BoardState, ASpotlightResizedByTheHookRepaintsTheOldAndTheNewSquareWhereThePointerIs) {
  Board board(kBoardSpotlight, {50, 40});
  board.MoveTo({50, 40});
  board.sink.invalidated.clear();
  board.state.OnSpotlightResized({50, 40}, 500, board.sink);
  ASSERT_EQ(board.sink.invalidated.size(), 1u);
  EXPECT_EQ(board.sink.invalidated[0], Union(SpotlightReach({50, 40}, 400), SpotlightReach({50, 40}, 500)));
  board.sink.invalidated.clear();
  board.state.OnSpotlightResized({50, 40}, 300, board.sink);
  EXPECT_EQ(board.sink.invalidated.at(0), SpotlightReach({50, 40}, 500)) << "the larger old square goes";
}

TEST(BoardState, OnlyTheSpotlightHearsOfAResize) {
  for (int32_t mode : {kBoardHighlighter, kBoardSnapRectangle, kBoardSnapFreeForm}) {
    Board board(mode, {50, 40});
    board.sink.invalidated.clear();
    board.state.OnSpotlightResized({50, 40}, 500, board.sink);
    EXPECT_TRUE(board.sink.invalidated.empty()) << mode;
  }
}

TEST(BoardState, TheSpotlightSquareIs400WithCornersRoundedByAThird) {
  const Point pointer{500, 400};
  const PolygonSpans spans = SpotlightSpans(pointer, 400, 1000, 800);
  // The middle row is clear over the full side, centred on the pointer.
  EXPECT_EQ(spans.RunsInRow(400), (std::vector<int32_t>{300, 700}));
  EXPECT_TRUE(spans.Contains(300, 400));
  EXPECT_FALSE(spans.Contains(299, 400));
  EXPECT_FALSE(spans.Contains(700, 400));
  EXPECT_TRUE(spans.Contains(500, 200));
  EXPECT_TRUE(spans.Contains(500, 599));
  EXPECT_FALSE(spans.Contains(500, 600));
  // The corners are cut: the square's corner pixels are dark, a third in they are clear.
  EXPECT_FALSE(spans.Contains(300, 200));
  EXPECT_FALSE(spans.Contains(699, 599));
  EXPECT_TRUE(spans.Contains(300 + 133, 200 + 2));
  EXPECT_TRUE(spans.Contains(300 + 45, 200 + 45));
  EXPECT_FALSE(spans.Contains(300 + 38, 200 + 38));  // the curve passes (41.4, 41.4)
  EXPECT_FALSE(spans.Contains(300 + 10, 200 + 10));
}

TEST(BoardState, TheBoardEndsWhenItsMonitorGoesOrChanges) {
  const Rect left{0, 0, 1920, 1080}, right{1920, 0, 3840, 1080};
  struct Row { std::vector<Rect> monitors; bool stays; };
  const Row rows[] = {
      {{left, right}, true},
      {{left}, false},                       // unplugged
      {{left, {1920, 0, 3200, 1024}}, false},  // another resolution
      {{}, false},
  };
  for (const Row& r : rows) EXPECT_EQ(BoardMonitorStillThere(right, r.monitors), r.stays) << r.monitors.size();
}

}  // namespace
}  // namespace corvan
