#include "ui/picker_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "skin_test_support.h"

namespace corvan {
namespace {

// The picker's owner: keeps every choice that reaches it.
class ChoiceRecorder : public Dialog {
 public:
  ChoiceRecorder() : Dialog(IDD_MAGNIFIER) {}
  std::vector<std::pair<WPARAM, LPARAM>> choices;

 protected:
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kPickerChoiceMessage) {
      choices.emplace_back(wParam, lParam);
      return 0;
    }
    return Dialog::WindowProc(message, wParam, lParam);
  }
};

bool PumpUntil(const std::function<bool()>& condition, int boundMs) {
  return test::PumpUntilPreTranslated(condition, boundMs);
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

void PostPointer(HWND window, UINT message, int x, int y) { PostMessageW(window, message, 0, MAKELPARAM(x, y)); }

class PickerWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gdiplus.ok());
    ASSERT_TRUE(owner.Create(nullptr));
    picker.SetGroupMarkerImage(144);
    ASSERT_TRUE(picker.Create(owner.hwnd()));
    picker.Fill(catalogue.entries, 0);
  }
  void TearDown() override { picker.ClosePicker(); }

  // Row r of a list at rest, in its client coordinates.
  static int RowY(int r) { return 4 + r * 36 + 18; }

  test::GdiplusSession gdiplus;
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
  ChoiceRecorder owner;
  QxItemList picker;
};

TEST_F(PickerWindow, OpensItsSubListBesideTheGroupAndPassesTheChoiceToItsOwner) {
  picker.ShowAt({100, 100}, PickerMode::Editor);
  ASSERT_TRUE(PumpUntil([&] { return picker.IsVisible() && picker.paints() > 0; }, 3000));
  const RECT list = WindowRect(picker.hwnd());
  EXPECT_EQ(list.left, 100);
  EXPECT_EQ(list.top, 100);
  EXPECT_EQ(list.right - list.left, 300);
  EXPECT_EQ(list.bottom - list.top, 224) << "six rows";
  EXPECT_EQ(picker.opacity(), 255);

  // Resting on "Function key" (row 3) opens its seven functions level with the row.
  PostPointer(picker.hwnd(), WM_MOUSEMOVE, 50, RowY(3));
  ASSERT_TRUE(PumpUntil([&] { return picker.subList() && picker.subList()->IsVisible(); }, 3000));
  QxItemList& sub = *picker.subList();
  const RECT subRect = WindowRect(sub.hwnd());
  EXPECT_EQ(subRect.left, list.right - 11);
  EXPECT_EQ(subRect.top, list.top + 4 + 3 * 36);
  EXPECT_EQ(subRect.bottom - subRect.top, 260);
  EXPECT_TRUE(picker.OwnsWindow(sub.hwnd()));

  // A left click on the group row chooses nothing.
  PostPointer(picker.hwnd(), WM_LBUTTONUP, 50, RowY(3));
  PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(owner.choices.empty());

  // "Copy", the second of the group, reaches the owner through the first list.
  PostPointer(sub.hwnd(), WM_MOUSEMOVE, 50, RowY(1));
  ASSERT_TRUE(PumpUntil([&] { return sub.hoveredRow() == 1; }, 3000));
  PostPointer(sub.hwnd(), WM_LBUTTONUP, 50, RowY(1));
  ASSERT_TRUE(PumpUntil([&] { return !owner.choices.empty(); }, 3000));
  EXPECT_EQ(owner.choices[0].first, 12u) << "the id of Copy on 6.1";
  EXPECT_EQ(owner.choices[0].second, kPickerAssign);

  // A right click on a function row chooses nothing either.
  PostPointer(sub.hwnd(), WM_RBUTTONUP, 50, RowY(2));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(owner.choices.size(), 1u);

  EXPECT_TRUE(picker.holdsThreadOrPicture());
  picker.ClosePicker();
  EXPECT_FALSE(picker.IsVisible());
  EXPECT_FALSE(sub.IsVisible());
  EXPECT_FALSE(picker.holdsThreadOrPicture()) << "a closed list keeps neither";
  EXPECT_FALSE(sub.holdsThreadOrPicture());
}

TEST_F(PickerWindow, WorksFromTheKeyboard) {
  picker.ShowAt({100, 100}, PickerMode::Editor);
  ASSERT_TRUE(PumpUntil([&] { return picker.IsVisible() && picker.paints() > 0; }, 3000));
  auto press = [&](WPARAM key) { PostMessageW(picker.hwnd(), WM_KEYDOWN, key, 0); };
  // Down four times: No function, System, Application, Function key.
  for (int k = 0; k < 4; ++k) press(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return picker.hoveredRow() == 3; }, 3000));
  press(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return picker.subList() && picker.subList()->IsVisible(); }, 3000));
  QxItemList& sub = *picker.subList();
  ASSERT_TRUE(PumpUntil([&] { return sub.hoveredRow() == 0; }, 3000)) << "the keys go on in the group's list";
  press(VK_LEFT);
  ASSERT_TRUE(PumpUntil([&] { return !sub.IsVisible(); }, 3000)) << "Left leaves the group's list";
  EXPECT_EQ(picker.hoveredRow(), 3);
  press(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return sub.IsVisible() && sub.hoveredRow() == 0; }, 3000)) << "Enter opens it again";
  press(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return sub.hoveredRow() == 1; }, 3000));
  EXPECT_TRUE(owner.choices.empty());
  press(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !owner.choices.empty(); }, 3000));
  EXPECT_EQ(owner.choices[0].first, 12u) << "Copy";
  EXPECT_EQ(owner.choices[0].second, kPickerAssign);
}

TEST_F(PickerWindow, QuickLaunchAtTheRightEdgeMovesLeftAndScrollsWhenCut) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  picker.Fill(catalogue.entries, 30);
  picker.ShowAt({work.right - 10, work.top + 10}, PickerMode::QuickLaunch);
  ASSERT_TRUE(PumpUntil([&] { return picker.IsVisible(); }, 3000));
  const RECT list = WindowRect(picker.hwnd());
  EXPECT_EQ(list.left, work.right - 299);
  EXPECT_EQ(list.bottom - list.top, 260);
  EXPECT_EQ(picker.mode(), PickerMode::QuickLaunch);

  // The list fits: the wheel moves nothing, and the animation thread has nothing to do.
  PostMessageW(picker.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(picker.scroll().targetRow(), 0);
  EXPECT_TRUE(picker.scroll().AtRest());
}

// A list taller than the work area is cut to whole rows; each notch of the wheel slides it a row on.
TEST_F(PickerWindow, TheWheelSlidesACutListToTheRowItAskedFor) {
  std::vector<_QxItemListDB> rows(40);
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i].code = static_cast<int32_t>(i) + 1;
    rows[i].label = L"Row " + std::to_wstring(i);
  }
  picker.Fill(rows, 0);
  picker.ShowAt({100, 0}, PickerMode::Editor);
  ASSERT_TRUE(PumpUntil([&] { return picker.IsVisible() && picker.paints() > 0; }, 3000));
  for (int notch = 0; notch < 2; ++notch) {
    PostMessageW(picker.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  }
  ASSERT_TRUE(PumpUntil([&] { return picker.scroll().targetRow() == 2; }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return picker.scroll().firstRow() == 2 && picker.scroll().AtRest(); }, 3000));
}

}  // namespace
}  // namespace corvan
