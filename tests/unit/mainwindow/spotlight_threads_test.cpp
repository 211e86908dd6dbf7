// The spotlight's size as the running program shares it: the mouse hook's thread resizes it on
// the wheel and posts the board a request to show the new size; the board's thread reads it to
// repaint, and hides the board on its own thread, which the hook reads on every event.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "core/board_modes.h"
#include "mainwindow/mouse_hook_rules.h"
#include "presenter/board_state.h"
#include "wake_signal.h"

namespace corvan {
namespace {

constexpr Point kPointer{500, 400};

uint32_t WheelData(int16_t delta) { return static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16; }

class NoSink : public BoardSink {
 public:
  void ShowBoard() override {}
  void HideBoard() override {}
  void ClearBoard() override {}
  void WriteSnap(SnapTarget) override {}
  void PaintInk(Point, Point, int) override {}
  void Invalidate(const Rect&) override {}
};

struct BoardShared {
  explicit BoardShared(int32_t size) : spotlightSize(size) {}
  std::atomic<bool> boardShown{true};
  std::atomic<int32_t> boardMode{kBoardSpotlight};
  std::atomic<int32_t> spotlightSize;
  std::atomic<int32_t> tiltAccumulator{0};
  std::atomic<uint32_t> eventsSeen{0};
  WakeSignal resizedMessage;
};

// The board's thread: each resize request repaints the spotlight at the size it reads now.
struct BoardThread {
  explicit BoardThread(BoardShared& shared)
      : thread([this, &shared] {
          state.Start(kBoardSpotlight, 1920, 1080, kPointer, shared.spotlightSize);
          servedWithinBound = shared.resizedMessage.Serve([&] {
            const int32_t size = shared.spotlightSize.load(std::memory_order_relaxed);
            sizesRead.push_back(size);
            state.OnSpotlightResized(kPointer, size, sink);
          });
        }) {}

  BoardState state;
  NoSink sink;
  std::vector<int32_t> sizesRead;
  bool servedWithinBound = false;
  std::thread thread;
};

MouseHookOutcome TurnWheel(BoardShared& shared, int16_t delta) {
  MouseHookShared hook{shared.boardShown, shared.boardMode, shared.spotlightSize, shared.tiltAccumulator,
                       shared.eventsSeen};
  const MouseHookOutcome outcome = ApplyMouseHook({0, kMessageMouseWheel, WheelData(delta)}, hook);
  if (outcome.presentSpotlight) shared.resizedMessage.Pulse();
  return outcome;
}

TEST(SpotlightThreads, TheBoardEndsShowingTheSizeTheWheelLeft) {
  struct Row {
    const char* name;
    int32_t start;
    int16_t delta;
    int turns;
    int32_t expected;
  };
  const Row rows[] = {
      {"grown to the largest", 400, 120, 1000, kSpotlightMax},
      {"shrunk to the smallest", 400, -120, 1000, kSpotlightMin},
      {"grown part way", 400, 120, 20, 600},
      {"shrunk in part notches", 150, -30, 3, 120},
  };
  for (const Row& row : rows) {
    BoardShared shared(row.start);
    BoardThread board(shared);
    int swallowed = 0;
    std::thread hook([&] {
      for (int i = 0; i < row.turns; ++i) swallowed += TurnWheel(shared, row.delta).verdict == HookVerdict::Swallow;
    });
    hook.join();
    shared.resizedMessage.Stop();
    board.thread.join();

    EXPECT_TRUE(board.servedWithinBound) << row.name;
    EXPECT_EQ(swallowed, row.turns) << row.name;
    EXPECT_EQ(shared.spotlightSize, row.expected) << row.name;
    ASSERT_FALSE(board.sizesRead.empty()) << row.name;
    EXPECT_EQ(board.sizesRead.back(), row.expected) << row.name << ": the last repaint shows an old size";
    EXPECT_EQ(board.state.spotlightArea(), SpotlightReach(kPointer, row.expected)) << row.name;
    const bool oneWay = row.delta > 0 ? std::is_sorted(board.sizesRead.begin(), board.sizesRead.end())
                                      : std::is_sorted(board.sizesRead.rbegin(), board.sizesRead.rend());
    EXPECT_TRUE(oneWay) << row.name << ": the board read a size the wheel had already left";
    for (int32_t size : board.sizesRead) {
      EXPECT_TRUE(size >= kSpotlightMin && size <= kSpotlightMax) << row.name << ": " << size;
    }
  }
}

TEST(SpotlightThreads, OnceTheBoardHidesTheWheelPassesOnAndTheSizeStays) {
  constexpr int kServedBeforeHiding = 50;
  constexpr int kTurnsAfterHiding = 500;
  BoardShared shared(kSpotlightMin);
  std::atomic<bool> hidden{false};
  int served = 0;
  std::thread board([&] {
    shared.resizedMessage.Serve([&] {
      if (++served != kServedBeforeHiding) return;
      shared.boardShown = false;
      shared.boardMode = kBoardOff;
      hidden = true;
    });
  });
  int32_t sizeWhenSeenHidden = 0;
  int swallowedAfterHiding = 0;
  std::thread hook([&] {
    // Alternating turns keep the size moving without reaching either end.
    for (int i = 0; !hidden; ++i) TurnWheel(shared, i % 2 ? -120 : 120);
    sizeWhenSeenHidden = shared.spotlightSize;
    for (int i = 0; i < kTurnsAfterHiding; ++i) swallowedAfterHiding += TurnWheel(shared, 120).verdict == HookVerdict::Swallow;
  });
  hook.join();
  shared.resizedMessage.Stop();
  board.join();

  EXPECT_EQ(swallowedAfterHiding, 0);
  EXPECT_EQ(shared.spotlightSize, sizeWhenSeenHidden);
  EXPECT_EQ(shared.tiltAccumulator, 0) << "a vertical wheel is never a tilt";
}

}  // namespace
}  // namespace corvan
