#include "platform/dialog_win32.h"

#include <gtest/gtest.h>

#include "resource_ids.h"

namespace corvan {
namespace {

// Answers the messages whose result a dialog returns itself, and one that goes through the
// dialog's message result.
class AnsweringDialog : public Dialog {
 public:
  AnsweringDialog() : Dialog(IDD_MAGNIFIER) {}
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));

 protected:
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_QUERYDRAGICON) return reinterpret_cast<LRESULT>(icon);
    if (message == WM_CTLCOLORDLG) return reinterpret_cast<LRESULT>(brush);
    if (message == WM_APP) return 12345;
    return Dialog::WindowProc(message, wParam, lParam);
  }
};

TEST(Dialog, HandlersAnswerWithTheirOwnResults) {
  AnsweringDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(dialog.icon));
  EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_CTLCOLORDLG, 0, 0), reinterpret_cast<LRESULT>(dialog.brush));
  EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_APP, 0, 0), 12345);
}

}  // namespace
}  // namespace corvan
