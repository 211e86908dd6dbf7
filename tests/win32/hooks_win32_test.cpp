#include "mainwindow/hooks_win32.h"

#include <gtest/gtest.h>

#include "presenter/board_dlg_win32.h"
#include "skin_test_support.h"

namespace corvan {
namespace {

using test::PumpUntil;

void SendWheel(DWORD flags, int delta) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = static_cast<DWORD>(delta);
  SendInput(1, &input, sizeof(input));
}

void SendHorizontalWheel(int delta) { SendWheel(MOUSEEVENTF_HWHEEL, delta); }

class MouseHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tiltEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(tiltEvent, nullptr);
    hooks = std::make_unique<SystemHooks>(state, board, tiltEvent);
    hooks->InstallMouseHook();
    ASSERT_NE(hooks->mouseHookHandle(), nullptr);
  }
  void TearDown() override {
    hooks.reset();
    CloseHandle(tiltEvent);
  }
  bool TiltReaches(int32_t steps) {
    return PumpUntil([&] { return state.tiltAccumulator == steps; }, 3000);
  }

  ProgramState state;
  BoardDlg board{state.boardMode, state.spotlightSize};
  HANDLE tiltEvent = nullptr;
  std::unique_ptr<SystemHooks> hooks;
};

TEST_F(MouseHookTest, ADroppedHookIsInstalledAgainOnceRawInputShowsItMissesEvents) {
  SendHorizontalWheel(120);
  ASSERT_TRUE(TiltReaches(1)) << "the installed hook counts the tilt wheel";
  EXPECT_FALSE(hooks->WatchMouseHook()) << "the raw input of that notch";

  // What the system does to a hook that took too long: it is gone, and nobody is told.
  const uint32_t seenBefore = hooks->mouseEventsSeen();
  ASSERT_TRUE(UnhookWindowsHookEx(hooks->mouseHookHandle()));
  SendHorizontalWheel(120);
  // The raw input of that notch arrives; the hook's count has not moved.
  PumpUntil([] { return false; }, 200);
  ASSERT_EQ(hooks->mouseEventsSeen(), seenBefore);
  ASSERT_EQ(state.tiltAccumulator, 1);

  bool reinstalled = false;
  for (uint32_t i = 0; i < HookWatch::kUnseenBeforeLost && !reinstalled; ++i) reinstalled = hooks->WatchMouseHook();
  EXPECT_TRUE(reinstalled);
  SendHorizontalWheel(-240);
  EXPECT_TRUE(TiltReaches(-1)) << "the new hook counts again";
}

TEST_F(MouseHookTest, AHookThatSeesEveryEventIsLeftAlone) {
  const HHOOK installed = hooks->mouseHookHandle();
  for (int i = 0; i < 40; ++i) {
    SendHorizontalWheel(120);
    ASSERT_TRUE(TiltReaches(i + 1));
    EXPECT_FALSE(hooks->WatchMouseHook());
  }
  EXPECT_EQ(hooks->mouseHookHandle(), installed);
}

TEST_F(MouseHookTest, TheHookAnswersWhileTheThreadThatInstalledItIsBusy) {
  // The thread that installed the hook (here the test's, in the program the main window's) takes
  // no message until the notch is counted: painting, saving, a capture or a window manager's
  // wait must not keep the system from calling the hook.
  HANDLE sender = CreateThread(
      nullptr, 0, [](LPVOID) -> DWORD { SendHorizontalWheel(120); return 0; }, nullptr, 0, nullptr);
  ASSERT_NE(sender, nullptr);
  const ULONGLONG deadline = GetTickCount64() + 3000;
  while (state.tiltAccumulator != 1 && GetTickCount64() < deadline) WaitForSingleObject(tiltEvent, 20);
  EXPECT_EQ(state.tiltAccumulator, 1);
  EXPECT_EQ(WaitForSingleObject(sender, 3000), WAIT_OBJECT_0);
  CloseHandle(sender);
}

TEST_F(MouseHookTest, ResumeFromSleepInstallsTheHookAgain) {
  hooks->ReinstallMouseHook();
  ASSERT_NE(hooks->mouseHookHandle(), nullptr);
  SendHorizontalWheel(120);
  EXPECT_TRUE(TiltReaches(1));
}

// Windows makes no raw input of an event a low-level hook swallowed, so the board of this test,
// which gets no raw input at all, stands for the board on Windows: only the hook's own request
// can make it draw the new size.
TEST(SpotlightWheel, TheHookAsksTheBoardToDrawTheNewSizeWithoutAnyRawInput) {
  ProgramState state;
  BoardDlg board{state.boardMode, state.spotlightSize};
  ASSERT_TRUE(board.Create(nullptr));
  ASSERT_TRUE(SetCursorPos(300, 200));
  board.Toggle(kBoardSpotlight);
  ASSERT_TRUE(PumpUntil([&] { return board.shownFlag().load(); }, 3000));
  SystemHooks hooks(state, board, nullptr);
  hooks.InstallMouseHook();
  ASSERT_NE(hooks.mouseHookHandle(), nullptr);
  POINT cursor{};
  GetCursorPos(&cursor);
  const Point pointer{cursor.x, cursor.y};

  SendWheel(MOUSEEVENTF_WHEEL, 120);
  EXPECT_TRUE(PumpUntil([&] { return board.state().spotlightArea() == SpotlightReach(pointer, 410); }, 3000))
      << "size " << state.spotlightSize;
  SendWheel(MOUSEEVENTF_WHEEL, -360);
  EXPECT_TRUE(PumpUntil([&] { return board.state().spotlightArea() == SpotlightReach(pointer, 380); }, 3000))
      << "size " << state.spotlightSize;
  board.Toggle(kBoardSpotlight);
}

}  // namespace
}  // namespace corvan
