#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry.h"

namespace corvan {

// The editor's callouts, numbered as the editable slots they set (config/assignments.h: the five
// buttons, the four gesture directions, the extra key), then the button order.
inline constexpr int32_t kCalloutCount = 11;
inline constexpr int32_t kFirstSideButtonCallout = 3;
inline constexpr int32_t kFirstGestureCallout = 5;
inline constexpr int32_t kExtraKeyCallout = 9;
inline constexpr int32_t kOrderCallout = 10;

// The hot places of the mouse picture, in client coordinates, as the editor lays them out.
struct EditorHotRegions {
  std::array<Rect, kCalloutCount> callouts{};  // by callout number
  // The main buttons have no callout: a reassigned left button could leave the user no way to click.
  std::array<bool, kCalloutCount> active{false, false, false, true, true, true, true, true, true, true, true};
  Rect defaultControl{};
  Point defaultTipAnchor{};
  Rect minimize{};
  Rect close{};
};

struct RoutingTexts {
  std::wstring buttonHint = L"Click to select button functions.";
  std::wstring orderHint = L"Click to change button mapping.";
  std::wstring gestureHint = L"Click to select gesture functions.";
  std::wstring extraKeyHint = L"Click to select the extra key's function.";
  std::wstring defaultHint = L"Default";
  std::wstring minimizeHint = L"Minimize";
  std::wstring closeHint = L"Close";
};

// Editor: a slot's function; QuickLaunch: a function to run; ButtonOrder: the six button orders.
enum class PickerMode { Editor, QuickLaunch, ButtonOrder };

struct PickerFacts {
  bool exists = true;
  bool visible = false;
  PickerMode mode = PickerMode::Editor;
};

inline constexpr uint32_t kPickerChoiceMessage = 0x2F95;
inline constexpr int32_t kPickerAssign = 0;
inline constexpr int32_t kPickerRun = 1;
inline constexpr int32_t kPickerOrder = 2;
inline constexpr uint32_t kKeyEscape = 0x1B;

// One thing the main window must do. Points are client coordinates unless `screen` is set.
struct RoutingAction {
  enum Kind {
    Invalidate,
    ShowTip,         // text at point (client), displayMs, size
    ResetTip,        // the tip's stop step
    HideTipWindow,
    ClosePicker,
    OpenPickerForSlot,  // top-level menu, editor mode, top-left at point (client)
    OpenOrderList,      // the six button orders, top-left at point (client)
    StartDrag,          // post WM_NCLBUTTONDOWN/HTCAPTION with the click's point
    Minimize,
    HideMainWindow,     // and start timer 111 with 300 ms
    ApplyFactoryDefaults,
    AssignAndSave,      // slot = function, then save; slot -1 saves unchanged settings
    SetOrderAndSave,    // the button order = function, then save
    RunFunction,
  };
  Kind kind;
  Point point{};
  std::wstring text{};
  int32_t displayMs = 0;
  int32_t size = 0;
  int32_t slot = -1;      // AssignAndSave: the edited slot (see kEditableSlots)
  int32_t function = -1;
  bool operator==(const RoutingAction&) const = default;
};

using RoutingActions = std::vector<RoutingAction>;

// The main window's pointer and keyboard interaction, as a state object: messages in, actions
// out. It never touches a window; the Windows layer translates.
class MainWindowRouting {
 public:
  MainWindowRouting(EditorHotRegions regions, RoutingTexts texts) : regions_(regions), texts_(std::move(texts)) {}

  RoutingActions OnKeyDown(uint32_t key, const PickerFacts& picker);
  RoutingActions OnMouseMove(Point client, const PickerFacts& picker);
  // `onMainWindow`: the click is on the main window itself, not on the picker or another child.
  RoutingActions OnLeftButtonDown(Point client, bool onMainWindow, bool onPicker, const PickerFacts& picker);
  RoutingActions OnOtherButtonDown(Point client, bool onMainWindow);
  RoutingActions OnLeftButtonUp(Point client);
  RoutingActions OnPickerChoice(int32_t function, int32_t mode);
  // A button of any mouse, anywhere on the desktop: a quick-launch picker closes on a click
  // outside it (also in other applications).
  RoutingActions OnRawMouseButton(const PickerFacts& picker, bool foregroundIsMagnifier, bool cursorOverPicker);

  // Timer 111 hands the foreground back to the program a moment after its main window hid. A
  // quick-launch list opened meanwhile (a group run while the window was shown) takes it: given
  // to the hidden window, the list's keys would go there.
  enum class Foreground { MainWindow, Picker };
  static Foreground ForegroundAfterHide(const PickerFacts& picker);

  void SetRegions(const EditorHotRegions& regions) { regions_ = regions; }
  int32_t hoveredCallout() const { return hoveredCallout_; }
  int32_t hoveredDefault() const { return hoveredDefault_; }
  int32_t hoveredControl() const { return hoveredControl_; }
  int32_t pressedControl() const { return pressedControl_; }
  int32_t editedCallout() const { return editedCallout_; }

 private:
  int32_t CalloutAt(Point p) const;
  const std::wstring& HintOf(int32_t callout) const;
  void PressCommon(Point client, bool onMainWindow, RoutingActions& actions);
  void ControlPress(RoutingActions& actions);

  EditorHotRegions regions_;
  RoutingTexts texts_;
  int32_t hoveredCallout_ = -1;
  int32_t hoveredDefault_ = -1;
  int32_t hoveredControl_ = -1;
  int32_t pressedOnDefault_ = -1;
  int32_t pressedControl_ = -1;
  int32_t editedCallout_ = -1;
};

}  // namespace corvan
