#include "input/routing.h"

#include "config/assignments.h"

namespace corvan {

static_assert(kFirstGestureCallout == kGestureSlotBase && kExtraKeyCallout == kExtraKeySlot &&
                  kOrderCallout == static_cast<int32_t>(std::size(kEditableSlots)),
              "a callout's number is the editable slot it sets");

namespace {

constexpr int32_t kHintDisplayMs = 3000;
constexpr int32_t kControlHintDisplayMs = 1200;
constexpr int32_t kHintSize = 20;
constexpr int32_t kHintBelowRegion = 30;
constexpr Point kControlHintOffset{8, -28};
constexpr Point kPickerOffset{40 + 1, 4 + 1};

RoutingAction Simple(RoutingAction::Kind kind) { return RoutingAction{kind}; }

RoutingAction Tip(const std::wstring& text, Point at, int32_t displayMs) {
  RoutingAction action{RoutingAction::ShowTip};
  action.text = text;
  action.point = at;
  action.displayMs = displayMs;
  action.size = kHintSize;
  return action;
}

}  // namespace

int32_t MainWindowRouting::CalloutAt(Point p) const {
  for (int32_t i = 0; i < kCalloutCount; ++i) {
    if (regions_.active[static_cast<size_t>(i)] && regions_.callouts[static_cast<size_t>(i)].Contains(p)) return i;
  }
  return -1;
}

const std::wstring& MainWindowRouting::HintOf(int32_t callout) const {
  if (callout == kOrderCallout) return texts_.orderHint;
  if (callout == kExtraKeyCallout) return texts_.extraKeyHint;
  if (callout >= kFirstGestureCallout) return texts_.gestureHint;
  return texts_.buttonHint;
}

RoutingActions MainWindowRouting::OnKeyDown(uint32_t key, const PickerFacts& picker) {
  RoutingActions actions;
  if (key != kKeyEscape || !picker.exists || !picker.visible) return actions;
  actions.push_back(Simple(RoutingAction::ClosePicker));
  editedCallout_ = -1;
  actions.push_back(Simple(RoutingAction::Invalidate));
  return actions;
}

RoutingActions MainWindowRouting::OnMouseMove(Point client, const PickerFacts& picker) {
  RoutingActions actions;
  if (picker.exists && !picker.visible) {
    if (editedCallout_ != -1) actions.push_back(Simple(RoutingAction::Invalidate));
    editedCallout_ = -1;
  }

  const int32_t callout = CalloutAt(client);
  if (callout != hoveredCallout_) {
    hoveredCallout_ = callout;
    actions.push_back(Simple(RoutingAction::Invalidate));
    if (callout > 0 && !picker.visible) {
      const Rect& r = regions_.callouts[static_cast<size_t>(callout)];
      actions.push_back(Tip(HintOf(callout), {(r.left + r.right) / 2, r.bottom + kHintBelowRegion}, kHintDisplayMs));
    } else {
      actions.push_back(Simple(RoutingAction::ResetTip));
    }
  }
  if (callout != -1) return actions;

  const int32_t overDefault = regions_.defaultControl.Contains(client) ? 0 : -1;
  if (overDefault != hoveredDefault_) {
    hoveredDefault_ = overDefault;
    actions.push_back(Simple(RoutingAction::Invalidate));
    actions.push_back(overDefault == 0 ? Tip(texts_.defaultHint, regions_.defaultTipAnchor, kHintDisplayMs)
                                       : Simple(RoutingAction::ResetTip));
  }
  if (overDefault != -1) return actions;

  const int32_t control = regions_.minimize.Contains(client) ? 0 : (regions_.close.Contains(client) ? 1 : -1);
  if (control != hoveredControl_) {
    hoveredControl_ = control;
    actions.push_back(Simple(RoutingAction::Invalidate));
    if (control == -1) {
      actions.push_back(Simple(RoutingAction::ResetTip));
    } else {
      const Rect& r = control == 0 ? regions_.minimize : regions_.close;
      actions.push_back(Tip(control == 0 ? texts_.minimizeHint : texts_.closeHint,
                            {r.left + kControlHintOffset.x, r.top + kControlHintOffset.y}, kControlHintDisplayMs));
    }
  }
  return actions;
}

RoutingActions MainWindowRouting::OnLeftButtonDown(Point client, bool onMainWindow, bool onPicker,
                                                   const PickerFacts& picker) {
  RoutingActions actions;
  pressedOnDefault_ = hoveredDefault_;
  if (picker.exists && picker.visible && !onPicker) {
    actions.push_back(Simple(RoutingAction::ClosePicker));
    if (editedCallout_ != -1) actions.push_back(Simple(RoutingAction::Invalidate));
    editedCallout_ = -1;
  }
  if (hoveredCallout_ == -1 && onMainWindow && hoveredDefault_ == -1 && hoveredControl_ == -1) {
    RoutingAction drag{RoutingAction::StartDrag};
    drag.point = client;
    actions.push_back(drag);
    return actions;
  }
  PressCommon(client, onMainWindow, actions);
  return actions;
}

RoutingActions MainWindowRouting::OnOtherButtonDown(Point client, bool onMainWindow) {
  RoutingActions actions;
  PressCommon(client, onMainWindow, actions);
  return actions;
}

void MainWindowRouting::PressCommon(Point, bool onMainWindow, RoutingActions& actions) {
  if (hoveredCallout_ != -1 && regions_.active[static_cast<size_t>(hoveredCallout_)]) {
    editedCallout_ = hoveredCallout_;
    if (onMainWindow) {
      const Rect& r = regions_.callouts[static_cast<size_t>(hoveredCallout_)];
      RoutingAction open{hoveredCallout_ == kOrderCallout ? RoutingAction::OpenOrderList
                                                          : RoutingAction::OpenPickerForSlot};
      open.point = {r.left + kPickerOffset.x, r.bottom + kPickerOffset.y};
      actions.push_back(open);
      actions.push_back(Simple(RoutingAction::ResetTip));
    }
  }
  ControlPress(actions);
}

void MainWindowRouting::ControlPress(RoutingActions& actions) {
  if (hoveredDefault_ != -1) {
    pressedControl_ = hoveredDefault_;
    actions.push_back(Simple(RoutingAction::Invalidate));
  } else if (hoveredControl_ == 0) {
    actions.push_back(Simple(RoutingAction::Minimize));
    actions.push_back(Simple(RoutingAction::HideTipWindow));
  } else if (hoveredControl_ == 1) {
    actions.push_back(Simple(RoutingAction::HideMainWindow));
    actions.push_back(Simple(RoutingAction::HideTipWindow));
  }
}

RoutingActions MainWindowRouting::OnLeftButtonUp(Point client) {
  RoutingActions actions;
  if (regions_.defaultControl.Contains(client) && pressedOnDefault_ == 0) {
    actions.push_back(Simple(RoutingAction::ApplyFactoryDefaults));
  }
  pressedOnDefault_ = -1;
  // The pressed look of Default lasts as long as the button is held.
  if (pressedControl_ != -1) {
    pressedControl_ = -1;
    actions.push_back(Simple(RoutingAction::Invalidate));
  }
  return actions;
}

RoutingActions MainWindowRouting::OnPickerChoice(int32_t function, int32_t mode) {
  RoutingActions actions{Simple(RoutingAction::ClosePicker)};
  if (mode == kPickerRun) {
    RoutingAction run{RoutingAction::RunFunction};
    run.function = function;
    actions.push_back(run);
    editedCallout_ = -1;
  } else if (mode == kPickerOrder) {
    RoutingAction order{RoutingAction::SetOrderAndSave};
    order.function = function;
    actions.push_back(order);
    editedCallout_ = -1;
    actions.push_back(Simple(RoutingAction::Invalidate));
  } else if (mode == kPickerAssign) {
    RoutingAction assign{RoutingAction::AssignAndSave};
    assign.function = function;
    if (editedCallout_ != -1) assign.slot = editedCallout_;
    actions.push_back(assign);
    editedCallout_ = -1;
    actions.push_back(Simple(RoutingAction::Invalidate));
  }
  return actions;
}

RoutingActions MainWindowRouting::OnRawMouseButton(const PickerFacts& picker, bool foregroundIsMagnifier,
                                                   bool cursorOverPicker) {
  RoutingActions actions;
  if (picker.exists && picker.visible && picker.mode == PickerMode::QuickLaunch && !foregroundIsMagnifier &&
      !cursorOverPicker) {
    actions.push_back(Simple(RoutingAction::ClosePicker));
  }
  return actions;
}

MainWindowRouting::Foreground MainWindowRouting::ForegroundAfterHide(const PickerFacts& picker) {
  const bool quickLaunchShown = picker.exists && picker.visible && picker.mode == PickerMode::QuickLaunch;
  return quickLaunchShown ? Foreground::Picker : Foreground::MainWindow;
}

}  // namespace corvan
