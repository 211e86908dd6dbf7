#include "input/routing.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

using Kind = RoutingAction::Kind;

EditorHotRegions Layout() {
  EditorHotRegions r;
  for (int i = 0; i < 5; ++i) r.callouts[i] = {10 + 100 * i, 10, 60 + 100 * i, 60};  // five squares in a row
  r.defaultControl = {10, 400, 90, 430};
  r.defaultTipAnchor = {50, 440};
  r.minimize = {600, 10, 620, 30};
  r.close = {630, 10, 650, 30};
  return r;
}

std::vector<Kind> Kinds(const RoutingActions& actions) {
  std::vector<Kind> kinds;
  for (const auto& a : actions) kinds.push_back(a.kind);
  return kinds;
}

const RoutingAction* Find(const RoutingActions& actions, Kind kind) {
  for (const auto& a : actions) {
    if (a.kind == kind) return &a;
  }
  return nullptr;
}

class Routing : public ::testing::Test {
 protected:
  MainWindowRouting routing{Layout(), RoutingTexts{}};
  PickerFacts hiddenPicker{true, false, PickerMode::Editor};
  PickerFacts editorPicker{true, true, PickerMode::Editor};
};

TEST_F(Routing, HoverShowsTheHintUnderSideButtonsOnly) {
  auto actions = routing.OnMouseMove({335, 30}, hiddenPicker);  // region 3
  ASSERT_NE(Find(actions, Kind::ShowTip), nullptr);
  EXPECT_EQ(Find(actions, Kind::ShowTip)->text, L"Click to select button functions.");
  EXPECT_EQ(Find(actions, Kind::ShowTip)->point, (Point{335, 90}));
  EXPECT_EQ(Find(actions, Kind::ShowTip)->displayMs, 3000);
  EXPECT_EQ(Find(actions, Kind::ShowTip)->size, 20);

  actions = routing.OnMouseMove({435, 30}, hiddenPicker);  // region 4 replaces it
  EXPECT_EQ(Find(actions, Kind::ShowTip)->point, (Point{435, 90}));
  EXPECT_EQ(routing.hoveredCallout(), 4);

  EXPECT_TRUE(routing.OnMouseMove({436, 31}, hiddenPicker).empty()) << "no change, no action";

  for (Point inactive : {Point{35, 30}, Point{135, 30}, Point{235, 30}}) {
    actions = routing.OnMouseMove(inactive, hiddenPicker);
    EXPECT_EQ(Find(actions, Kind::ShowTip), nullptr);
    EXPECT_EQ(routing.hoveredCallout(), -1);
  }
}

TEST_F(Routing, NoButtonHintWhileThePickerIsOpen) {
  const auto actions = routing.OnMouseMove({335, 30}, editorPicker);
  EXPECT_EQ(Kinds(actions), (std::vector<Kind>{Kind::Invalidate, Kind::ResetTip}));
}

TEST_F(Routing, DefaultAndWindowControlHints) {
  auto actions = routing.OnMouseMove({20, 410}, hiddenPicker);
  ASSERT_NE(Find(actions, Kind::ShowTip), nullptr);
  EXPECT_EQ(Find(actions, Kind::ShowTip)->text, L"Default");
  EXPECT_EQ(Find(actions, Kind::ShowTip)->point, (Point{50, 440}));

  actions = routing.OnMouseMove({610, 20}, hiddenPicker);
  EXPECT_EQ(Find(actions, Kind::ShowTip)->text, L"Minimize");
  EXPECT_EQ(Find(actions, Kind::ShowTip)->point, (Point{608, -18}));
  EXPECT_EQ(Find(actions, Kind::ShowTip)->displayMs, 1200);

  actions = routing.OnMouseMove({640, 20}, hiddenPicker);
  EXPECT_EQ(Find(actions, Kind::ShowTip)->text, L"Close");

  actions = routing.OnMouseMove({300, 300}, hiddenPicker);
  EXPECT_EQ(Kinds(actions), (std::vector<Kind>{Kind::Invalidate, Kind::ResetTip}));
}

TEST_F(Routing, PressOnAnEmptySpotStartsDragging) {
  routing.OnMouseMove({300, 300}, hiddenPicker);
  const auto actions = routing.OnLeftButtonDown({300, 300}, true, false, hiddenPicker);
  ASSERT_EQ(Kinds(actions), (std::vector<Kind>{Kind::StartDrag}));
  EXPECT_EQ(actions[0].point, (Point{300, 300}));
}

TEST_F(Routing, PressOnASideButtonOpensThePickerUnderIt) {
  routing.OnMouseMove({335, 30}, hiddenPicker);
  const auto actions = routing.OnLeftButtonDown({335, 30}, true, false, hiddenPicker);
  ASSERT_NE(Find(actions, Kind::OpenPickerForSlot), nullptr);
  EXPECT_EQ(Find(actions, Kind::OpenPickerForSlot)->point, (Point{310 + 41, 60 + 5}));
  EXPECT_EQ(routing.editedCallout(), 3);

  // The choice lands in that slot and is saved.
  const auto chosen = routing.OnPickerChoice(7, kPickerAssign);
  EXPECT_EQ(Kinds(chosen), (std::vector<Kind>{Kind::ClosePicker, Kind::AssignAndSave, Kind::Invalidate}));
  EXPECT_EQ(chosen[1].slot, 3);
  EXPECT_EQ(chosen[1].function, 7);
  EXPECT_EQ(routing.editedCallout(), -1);
}

TEST_F(Routing, DefaultResetsOnlyWhenPressedAndReleasedOnIt) {
  routing.OnMouseMove({20, 410}, hiddenPicker);
  auto actions = routing.OnLeftButtonDown({20, 410}, true, false, hiddenPicker);
  EXPECT_EQ(Kinds(actions), (std::vector<Kind>{Kind::Invalidate}));
  EXPECT_EQ(routing.pressedControl(), 0);
  // The release ends the pressed look.
  EXPECT_EQ(Kinds(routing.OnLeftButtonUp({20, 410})), (std::vector<Kind>{Kind::ApplyFactoryDefaults, Kind::Invalidate}));
  EXPECT_EQ(routing.pressedControl(), -1);

  // Pressed on Default, dragged off, released elsewhere: nothing but the end of the pressed look.
  routing.OnLeftButtonDown({20, 410}, true, false, hiddenPicker);
  routing.OnMouseMove({300, 300}, hiddenPicker);
  EXPECT_EQ(Kinds(routing.OnLeftButtonUp({300, 300})), (std::vector<Kind>{Kind::Invalidate}));
  // Released on Default without having pressed there: nothing either.
  routing.OnLeftButtonDown({300, 300}, true, false, hiddenPicker);
  routing.OnMouseMove({20, 410}, hiddenPicker);
  EXPECT_TRUE(routing.OnLeftButtonUp({20, 410}).empty());
}

TEST_F(Routing, MinimizeAndClose) {
  routing.OnMouseMove({610, 20}, hiddenPicker);
  EXPECT_EQ(Kinds(routing.OnLeftButtonDown({610, 20}, true, false, hiddenPicker)),
            (std::vector<Kind>{Kind::Minimize, Kind::HideTipWindow}));
  routing.OnMouseMove({640, 20}, hiddenPicker);
  EXPECT_EQ(Kinds(routing.OnOtherButtonDown({640, 20}, true)), (std::vector<Kind>{Kind::HideMainWindow, Kind::HideTipWindow}));
}

TEST_F(Routing, EscClosesAnOpenPickerWithoutAssigning) {
  routing.OnMouseMove({435, 30}, hiddenPicker);
  routing.OnLeftButtonDown({435, 30}, true, false, hiddenPicker);
  EXPECT_TRUE(routing.OnKeyDown(kKeyEscape, hiddenPicker).empty()) << "nothing to close";
  EXPECT_EQ(Kinds(routing.OnKeyDown(kKeyEscape, editorPicker)), (std::vector<Kind>{Kind::ClosePicker, Kind::Invalidate}));
  EXPECT_EQ(routing.editedCallout(), -1);
  EXPECT_TRUE(routing.OnKeyDown('A', editorPicker).empty());
}

TEST_F(Routing, AClickBesideAnOpenPickerClosesItAndForgetsTheSlot) {
  routing.OnMouseMove({435, 30}, hiddenPicker);
  routing.OnLeftButtonDown({435, 30}, true, false, hiddenPicker);
  routing.OnMouseMove({300, 300}, editorPicker);
  const auto actions = routing.OnLeftButtonDown({300, 300}, true, false, editorPicker);
  EXPECT_EQ(Kinds(actions), (std::vector<Kind>{Kind::ClosePicker, Kind::Invalidate, Kind::StartDrag}));
  EXPECT_EQ(routing.editedCallout(), -1);
  // A choice with no slot being edited still saves the unchanged settings.
  const auto chosen = routing.OnPickerChoice(5, kPickerAssign);
  EXPECT_EQ(chosen[1].kind, Kind::AssignAndSave);
  EXPECT_EQ(chosen[1].slot, -1);
}

TEST_F(Routing, PickerChoiceModes) {
  auto actions = routing.OnPickerChoice(12, kPickerRun);
  EXPECT_EQ(Kinds(actions), (std::vector<Kind>{Kind::ClosePicker, Kind::RunFunction}));
  EXPECT_EQ(actions[1].function, 12);
  EXPECT_EQ(Kinds(routing.OnPickerChoice(12, 3)), (std::vector<Kind>{Kind::ClosePicker}));
  EXPECT_EQ(Kinds(routing.OnPickerChoice(12, -1)), (std::vector<Kind>{Kind::ClosePicker}));
}

TEST_F(Routing, QuickLaunchPickerClosesOnAClickElsewhere) {
  const PickerFacts quick{true, true, PickerMode::QuickLaunch};
  EXPECT_EQ(Kinds(routing.OnRawMouseButton(quick, false, false)), (std::vector<Kind>{Kind::ClosePicker}));
  EXPECT_TRUE(routing.OnRawMouseButton(quick, false, true).empty()) << "a click on the picker itself";
  EXPECT_TRUE(routing.OnRawMouseButton(quick, true, false).empty()) << "the magnifier has the focus";
  EXPECT_TRUE(routing.OnRawMouseButton(editorPicker, false, false).empty()) << "an editor picker stays";
  EXPECT_TRUE(routing.OnRawMouseButton({true, false, PickerMode::QuickLaunch}, false, false).empty());
}

TEST_F(Routing, AShownQuickLaunchListKeepsTheForegroundWhenTheMainWindowHasHidden) {
  using Foreground = MainWindowRouting::Foreground;
  EXPECT_EQ(MainWindowRouting::ForegroundAfterHide({true, true, PickerMode::QuickLaunch}), Foreground::Picker);
  EXPECT_EQ(MainWindowRouting::ForegroundAfterHide({true, false, PickerMode::QuickLaunch}), Foreground::MainWindow);
  EXPECT_EQ(MainWindowRouting::ForegroundAfterHide(editorPicker), Foreground::MainWindow);
  EXPECT_EQ(MainWindowRouting::ForegroundAfterHide({false, false, PickerMode::QuickLaunch}), Foreground::MainWindow);
}

TEST_F(Routing, EveryCalloutHasItsHintAndOpensItsListUnderIt) {
  EditorHotRegions regions = Layout();
  for (int32_t i = kFirstGestureCallout; i < kCalloutCount; ++i) {
    regions.callouts[static_cast<size_t>(i)] = {10 + 60 * (i - 5), 100, 60 + 60 * (i - 5), 150};
  }
  MainWindowRouting all{regions, RoutingTexts{}};
  struct Row { int32_t callout; std::wstring hint; Kind opens; };
  const Row rows[] = {
      {3, L"Click to select button functions.", Kind::OpenPickerForSlot},
      {5, L"Click to select gesture functions.", Kind::OpenPickerForSlot},
      {8, L"Click to select gesture functions.", Kind::OpenPickerForSlot},
      {9, L"Click to select the extra key's function.", Kind::OpenPickerForSlot},
      {10, L"Click to change button mapping.", Kind::OpenOrderList},
  };
  for (const Row& row : rows) {
    const Rect& r = regions.callouts[static_cast<size_t>(row.callout)];
    const Point inside{r.left + 5, r.top + 5};
    const auto hovered = all.OnMouseMove(inside, hiddenPicker);
    ASSERT_NE(Find(hovered, Kind::ShowTip), nullptr) << row.callout;
    EXPECT_EQ(Find(hovered, Kind::ShowTip)->text, row.hint) << row.callout;

    const auto pressed = all.OnLeftButtonDown(inside, true, false, hiddenPicker);
    ASSERT_NE(Find(pressed, row.opens), nullptr) << row.callout;
    EXPECT_EQ(Find(pressed, row.opens)->point, (Point{r.left + 41, r.bottom + 5})) << row.callout;
    EXPECT_EQ(all.editedCallout(), row.callout);

    if (row.callout == kOrderCallout) {
      const auto chosen = all.OnPickerChoice(4, kPickerOrder);
      EXPECT_EQ(Kinds(chosen), (std::vector<Kind>{Kind::ClosePicker, Kind::SetOrderAndSave, Kind::Invalidate}));
      EXPECT_EQ(chosen[1].function, 4);
    } else {
      const auto chosen = all.OnPickerChoice(7, kPickerAssign);
      EXPECT_EQ(Kinds(chosen), (std::vector<Kind>{Kind::ClosePicker, Kind::AssignAndSave, Kind::Invalidate}));
      EXPECT_EQ(chosen[1].slot, row.callout) << "the callout's number is its slot";
    }
    EXPECT_EQ(all.editedCallout(), -1);
    all.OnMouseMove({620, 460}, hiddenPicker);
  }
}

}  // namespace
}  // namespace corvan
