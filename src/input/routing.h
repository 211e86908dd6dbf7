#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry.h"

namespace corvan {

// The hot places of the mouse picture, in client coordinates, as the editor lays them out.
struct EditorHotRegions {
  std::array<Rect, 5> buttons{};                          // index i belongs to slot bt0 + i
  std::array<bool, 5> active{false, false, false, true, true};  // only the side buttons react
  Rect defaultControl{};
  Point defaultTipAnchor{};
  Rect minimize{};
  Rect close{};
};

struct RoutingTexts {
  std::wstring buttonHint = L"Click to select button functions.";
  std::wstring defaultHint = L"Default";
  std::wstring minimizeHint = L"Minimize";
  std::wstring closeHint = L"Close";
};

enum class PickerMode { Editor, QuickLaunch };

struct PickerFacts {
  bool exists = true;
  bool visible = false;
  PickerMode mode = PickerMode::Editor;
};

inline constexpr uint32_t kPickerChoiceMessage = 0x2F95;
inline constexpr int32_t kPickerAssign = 0;
inline constexpr int32_t kPickerRun = 1;
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
    StartDrag,          // post WM_NCLBUTTONDOWN/HTCAPTION with the click's point
    Minimize,
    HideMainWindow,     // and start timer 111 with 300 ms
    ApplyFactoryDefaults,
    AssignAndSave,      // slot = function, then save; slot -1 saves unchanged settings
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

  void SetRegions(const EditorHotRegions& regions) { regions_ = regions; }
  int32_t hoveredButton() const { return hoveredButton_; }
  int32_t hoveredDefault() const { return hoveredDefault_; }
  int32_t hoveredControl() const { return hoveredControl_; }
  int32_t pressedControl() const { return pressedControl_; }
  int32_t editedButtonSlot() const { return editedButtonSlot_; }

 private:
  int32_t ButtonRegionAt(Point p) const;
  void PressCommon(Point client, bool onMainWindow, RoutingActions& actions);
  void ControlPress(RoutingActions& actions);

  EditorHotRegions regions_;
  RoutingTexts texts_;
  int32_t hoveredButton_ = -1;
  int32_t hoveredDefault_ = -1;
  int32_t hoveredControl_ = -1;
  int32_t pressedOnDefault_ = -1;
  int32_t pressedControl_ = -1;
  int32_t editedButtonSlot_ = -1;
};

}  // namespace corvan
