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

// Writes down that its destroy step ran, into a record that outlives it.
class CleaningDialog : public Dialog {
 public:
  explicit CleaningDialog(int& destroySteps) : Dialog(IDD_MAGNIFIER), destroySteps_(destroySteps) {}

 protected:
  void OnDestroy() override { ++destroySteps_; }

 private:
  int& destroySteps_;
};

TEST(Dialog, DestroyRunsTheDerivedDestroyStepOnceAndLeavesNoWindow) {
  int destroySteps = 0;
  {
    CleaningDialog dialog(destroySteps);
    ASSERT_TRUE(dialog.Create(nullptr));
    const HWND window = dialog.hwnd();
    dialog.Destroy();
    EXPECT_EQ(destroySteps, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.hwnd(), nullptr);
    dialog.Destroy();
  }
  EXPECT_EQ(destroySteps, 1) << "the destructor finds nothing left to destroy";
}

TEST(Dialog, AWindowLeftToTheDestructorGoesWithoutReachingTheHalfDestroyedObject) {
  int destroySteps = 0;
  HWND window = nullptr;
  {
    CleaningDialog dialog(destroySteps);
    ASSERT_TRUE(dialog.Create(nullptr));
    window = dialog.hwnd();
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(destroySteps, 0);
}

TEST(Dialog, ItsOwningPointerRunsTheDerivedDestroyStepWhenTheObjectGoes) {
  int destroySteps = 0;
  HWND window = nullptr;
  {
    DialogPtr<CleaningDialog> dialog = MakeDialog<CleaningDialog>(destroySteps);
    ASSERT_TRUE(dialog->Create(nullptr));
    window = dialog->hwnd();
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(destroySteps, 1);
}

TEST(Dialog, AWindowDestroyedWithItsOwnerLeavesItsObjectWithoutAHandle) {
  int ownerSteps = 0, ownedSteps = 0;
  CleaningDialog owner(ownerSteps);
  ASSERT_TRUE(owner.Create(nullptr));
  DialogPtr<CleaningDialog> owned = MakeDialog<CleaningDialog>(ownedSteps);
  ASSERT_TRUE(owned->Create(owner.hwnd()));
  owner.Destroy();
  EXPECT_EQ(ownedSteps, 1);
  EXPECT_EQ(owned->hwnd(), nullptr) << "a handle the system may give to another window";
  owned.reset();
  EXPECT_EQ(ownedSteps, 1);
}

}  // namespace
}  // namespace corvan
