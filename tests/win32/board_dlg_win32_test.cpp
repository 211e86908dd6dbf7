#include "presenter/board_dlg_win32.h"

#include <gtest/gtest.h>

#include "skin_test_support.h"

namespace corvan {
namespace {

bool PointerConfined() {
  RECT clip{};
  GetClipCursor(&clip);
  const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  return !EqualRect(&clip, &screen);
}

// The pointer's display count of this thread: 0 or more while it is shown.
int CursorCount() {
  ShowCursor(TRUE);
  return ShowCursor(FALSE);
}

// Whatever ends the program with a mode on (Exit, /close, the end of the session), the board's
// owner destroys it while it is whole, and the pointer is given back.
TEST(BoardDlg, DestroyedWithAModeOnItGivesThePointerBack) {
  for (int32_t mode : {kBoardHighlighter, kBoardSnapRectangle, kBoardSnapFreeForm, kBoardSpotlight}) {
    std::atomic<int32_t> boardMode{0};
    std::atomic<int32_t> spotlightSize{400};
    const int cursorBefore = CursorCount();
    ASSERT_TRUE(SetCursorPos(300, 200));
    BoardDlg board(boardMode, spotlightSize);
    ASSERT_TRUE(board.Create(nullptr));
    board.Toggle(mode);
    ASSERT_TRUE(test::PumpUntil([&] { return board.shownFlag().load(); }, 3000)) << mode;
    EXPECT_TRUE(PointerConfined()) << mode;

    board.Destroy();
    EXPECT_FALSE(PointerConfined()) << mode;
    EXPECT_EQ(CursorCount(), cursorBefore) << mode;
    EXPECT_EQ(boardMode, kBoardOff) << mode;
  }
}

}  // namespace
}  // namespace corvan
