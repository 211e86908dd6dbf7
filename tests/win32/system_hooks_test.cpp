#include "mainwindow/hooks_win32.h"

#include <gtest/gtest.h>

#include "presenter/board_dlg_win32.h"
#include "skin_test_support.h"

namespace corvan {
namespace {

using test::PumpUntil;

void SendHorizontalWheel(int delta) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_HWHEEL;
  input.mi.mouseData = static_cast<DWORD>(delta);
  SendInput(1, &input, sizeof(input));
}

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

TEST_F(MouseHookTest, ResumeFromSleepInstallsTheHookAgain) {
  hooks->ReinstallMouseHook();
  ASSERT_NE(hooks->mouseHookHandle(), nullptr);
  SendHorizontalWheel(120);
  EXPECT_TRUE(TiltReaches(1));
}

}  // namespace
}  // namespace corvan
