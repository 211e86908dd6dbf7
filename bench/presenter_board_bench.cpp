// The presenter board's costs on a 3840 x 2160 monitor, each against one memcpy of a whole frame
// (3840 x 2160 x 4 bytes): a highlighter move (a stroke segment and the pointer mark's squares),
// a full recomposite (picture, ink and a darkening overlay), and the part of a file snap that runs
// on the window's thread (the snap's picture; the encoder runs on a worker). The ratios are
// printed at the end of the run.

#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "presenter/board_compose.h"
#include "presenter/board_state.h"
#include "presenter/snap.h"

namespace {

using namespace corvan;

constexpr int kMonitorWidth = 3840;
constexpr int kMonitorHeight = 2160;
constexpr int kBoardWidth = kMonitorWidth - 1;

// A picture with some variety, opaque as a capture is.
ArgbImage MakeCapture() {
  ArgbImage capture(kMonitorWidth, kMonitorHeight);
  for (int y = 0; y < kMonitorHeight; ++y) {
    uint32_t* row = capture.Row(y);
    for (int x = 0; x < kMonitorWidth; ++x) row[x] = 0xFF000000u | static_cast<uint32_t>((x * 7) ^ (y * 13)) * 2654435761u >> 8;
  }
  return capture;
}

// Strokes over part of the picture, as after a few minutes of highlighting: underlinings, circles
// drawn as short segments, arrows.
InkLayer MakeInk() {
  InkLayer ink(kMonitorWidth, kMonitorHeight);
  for (int i = 0; i < 12; ++i) {
    const Point start{200 + (i % 4) * 900, 300 + (i / 4) * 600};
    ink.Paint(start, {start.x + 700, start.y + 40}, Premultiply(kInkColours[i % 4]), kInkPenWidth);
    Point previous = start;
    for (int k = 1; k <= 24; ++k) {
      const Point next{start.x + 350 + (k % 2 ? 300 : 280) * ((k / 6) % 2 ? -1 : 1) / (1 + k % 3),
                       start.y - 150 + k * 12};
      ink.Paint(previous, next, Premultiply(kInkColours[i % 4]), kInkPenWidth);
      previous = next;
    }
  }
  return ink;
}

struct Fixture {
  ArgbImage capture = MakeCapture();
  InkLayer ink = MakeInk();
  ArgbImage frame{kBoardWidth, kMonitorHeight};
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_FullFrameMemcpy(benchmark::State& state) {
  Fixture& f = Shared();
  const size_t bytes = static_cast<size_t>(kMonitorWidth) * kMonitorHeight * 4;
  std::vector<uint8_t> target(bytes);
  for (auto _ : state) {
    std::memcpy(target.data(), f.capture.bytes(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_FullFrameMemcpy)->Unit(benchmark::kMillisecond);

// Paints the ink and collects the changed rectangle, as the board's window does.
class DirtySink final : public BoardSink {
 public:
  explicit DirtySink(InkLayer& ink) : ink_(ink) {}
  void ShowBoard() override {}
  void HideBoard() override {}
  void ClearBoard() override {}
  void WriteSnap(SnapTarget) override {}
  void PaintInk(Point from, Point to, int colorIndex) override {
    dirty = Union(dirty, ink_.Paint(from, to, Premultiply(kInkColours[colorIndex]), kInkPenWidth));
  }
  void Invalidate(const Rect& area) override { dirty = Union(dirty, area); }
  Rect dirty;

 private:
  InkLayer& ink_;
};

void BM_HighlighterMove(benchmark::State& state) {
  Fixture& f = Shared();
  BoardState board;
  board.Start(kBoardHighlighter, kBoardWidth, kMonitorHeight, {1000, 1000});
  DirtySink sink(f.ink);
  board.OnRawMouse({0, 0, kRawLeftDown, 0}, {1000, 1000}, true, 400, sink);
  const PixelTarget target = PixelTarget::Of(f.frame);
  int step = 0;
  for (auto _ : state) {
    // Moves of a few pixels, back and forth across the middle of the screen.
    const Point p{1000 + (step % 400) * 6, 1000 + (step % 40)};
    ++step;
    sink.dirty = {};
    board.OnRawMouse({6, 1, 0, 0}, p, true, 400, sink);
    ComposeBoard(target, sink.dirty, &f.capture, &f.ink, board.Overlay(p, false, nullptr));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_HighlighterMove)->Unit(benchmark::kMicrosecond);

// The highlighter's whole board: picture, strokes and the pointer mark.
void BM_FullRecomposite(benchmark::State& state) {
  Fixture& f = Shared();
  BoardOverlay overlay;
  overlay.pointerMark = true;
  overlay.pointer = {1900, 1000};
  const PixelTarget target = PixelTarget::Of(f.frame);
  for (auto _ : state) {
    ComposeBoard(target, {0, 0, kBoardWidth, kMonitorHeight}, &f.capture, &f.ink, overlay);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullRecomposite)->Unit(benchmark::kMillisecond);

// A finished rectangle selection: the picture darkened all round it (the snap modes draw no ink).
void BM_FullRecompositeDarkened(benchmark::State& state) {
  Fixture& f = Shared();
  BoardOverlay overlay;
  overlay.darken = BoardOverlay::Darken::OutsideRect;
  overlay.clearRect = {900, 500, 2900, 1600};
  const PixelTarget target = PixelTarget::Of(f.frame);
  for (auto _ : state) {
    ComposeBoard(target, {0, 0, kBoardWidth, kMonitorHeight}, &f.capture, nullptr, overlay);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullRecompositeDarkened)->Unit(benchmark::kMillisecond);

void BM_FileSnapOnWindowThread(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    ArgbImage image = BuildSnapImage(f.capture, f.ink.pixels(), SnapRegion(kBoardHighlighter, kBoardWidth, kMonitorHeight, false, {}), nullptr);
    benchmark::DoNotOptimize(image.bytes());
  }
}
BENCHMARK(BM_FileSnapOnWindowThread)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration so the ratios can be printed after the run.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        seconds[run.run_name.function_name] = run.real_accumulated_time / static_cast<double>(run.iterations);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto& s = reporter.seconds;
  const auto memcpyTime = s.find("BM_FullFrameMemcpy");
  if (memcpyTime == s.end()) return 0;
  std::cout << "\nAgainst one full-frame memcpy of " << kMonitorWidth << " x " << kMonitorHeight << " ("
            << memcpyTime->second * 1e3 << " ms):\n";
  for (const char* name :
       {"BM_HighlighterMove", "BM_FullRecomposite", "BM_FullRecompositeDarkened", "BM_FileSnapOnWindowThread"}) {
    const auto time = s.find(name);
    if (time != s.end()) {
      std::cout << "  " << name << ": " << time->second / memcpyTime->second << " (" << time->second * 1e3 << " ms)\n";
    }
  }
  return 0;
}
