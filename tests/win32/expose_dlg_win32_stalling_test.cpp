#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "overview/snapshot_cache_win32.h"
#include "overview_test_support.h"

namespace corvan {
namespace {

using namespace test;

// Capturing a window renders it on its own thread, with no time limit of its own: a window that
// does not answer gets no snapshot, and the overview's opening goes on. (The capture runs on a
// thread of the test's, as it runs on the overview's thread in the program, so that a capture that
// waited for the hung window would show as a timeout here instead of a test that never ends.)
TEST(SnapshotCapture, AWindowThatDoesNotAnswerGetsNoSnapshotAndHoldsNothingUp) {
  StallingWindow hung({StallingWindow::Stall::Everything});
  ASSERT_NE(hung.hwnd(), nullptr);
  ColouredWindow answering{L"Answering test window", RGB(0, 200, 0), 240, 140};
  SnapshotCache cache;
  const std::atomic<bool> stop{false};
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread capture([&] {
    cache.Refresh({hung.hwnd(), answering.hwnd()}, 0, stop);
    SetEvent(done);
  });
  // The answering window is on this thread: it answers while the capture waits for it.
  const bool finished = Pump([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }, 3000);
  EXPECT_TRUE(finished) << "the capture waited for the window that does not answer";
  if (!finished) {
    hung.Release();
    Pump([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }, 10000);
  }
  capture.join();
  CloseHandle(done);
  auto lock = cache.Lock();
  const SnapshotCache::Record* hungRecord = cache.Find(hung.hwnd());
  ASSERT_NE(hungRecord, nullptr);
  EXPECT_EQ(hungRecord->picture, nullptr);
  const SnapshotCache::Record* answeringRecord = cache.Find(answering.hwnd());
  ASSERT_NE(answeringRecord, nullptr);
  EXPECT_NE(answeringRecord->picture, nullptr);
}

// Windows that stop answering, listed in the overview or standing for the desktop behind it.
struct StallCase {
  const char* name;
  StallingWindow::Stall stall;
  bool desktop;
  int count = 1;
};

void PrintTo(const StallCase& c, std::ostream* out) { *out << c.name; }

class StallingOverview : public OverviewWindow, public ::testing::WithParamInterface<StallCase> {
 protected:
  // The overview renders the desktop from the first window of this class; Wine has none of its own.
  StallingWindow::Options OptionsFor(const StallCase& c) {
    if (c.desktop) return {c.stall, L"Progman", false};
    return {c.stall};
  }
};

// Opening, closing and opening again all go on: the window that does not answer is shown without
// its picture (the desktop's part by a copy of the screen), and `busy` is never left set.
TEST_P(StallingOverview, OpensClosesAndOpensAgain) {
  StallingWindow stalling(OptionsFor(GetParam()));
  ASSERT_NE(stalling.hwnd(), nullptr);
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    Open(first.hwnd());
    if (!GetParam().desktop) {
      EXPECT_LT(IndexOf(stalling.hwnd()), overview.listedWindows().size());
    }
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(busy, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, StallingOverview,
    ::testing::Values(StallCase{"ListedTakesNoMessage", StallingWindow::Stall::Everything, false},
                      StallCase{"ListedStallsWhileRendering", StallingWindow::Stall::WhileRendering, false},
                      StallCase{"DesktopTakesNoMessage", StallingWindow::Stall::Everything, true},
                      StallCase{"DesktopStallsWhileRendering", StallingWindow::Stall::WhileRendering, true}),
    [](const ::testing::TestParamInfo<StallCase>& info) { return std::string(info.param.name); });

class EndWhileCapturing : public StallingOverview {};

// The program ends while the opening waits for a window to render itself: by the time the
// overview's destroy step returns, its thread has ended, so nothing is left running in an object
// that is about to go. With several such windows, the windows after the first are not waited for.
TEST_P(EndWhileCapturing, EndsTheOpeningsThread) {
  std::vector<std::unique_ptr<StallingWindow>> stalling;
  for (int i = 0; i < GetParam().count; ++i) {
    stalling.push_back(std::make_unique<StallingWindow>(OptionsFor(GetParam())));
    ASSERT_NE(stalling.back()->hwnd(), nullptr);
  }
  busy = 1;
  ASSERT_TRUE(overview.Open(busy));
  ASSERT_TRUE(Pump([&] {
    return std::any_of(stalling.begin(), stalling.end(), [](const auto& window) { return window->Rendering(); });
  }, kBoundMs));
  overview.Destroy();
  EXPECT_FALSE(overview.running()) << "the opening's thread is still capturing";
  EXPECT_EQ(busy, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, EndWhileCapturing,
    ::testing::Values(StallCase{"Listed", StallingWindow::Stall::WhileRendering, false},
                      StallCase{"SeveralListed", StallingWindow::Stall::WhileRendering, false, 6},
                      StallCase{"Desktop", StallingWindow::Stall::WhileRendering, true}),
    [](const ::testing::TestParamInfo<StallCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvan
