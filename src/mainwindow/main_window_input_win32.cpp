// The main window's input routing: raw input from the receiver and every mouse, the picker's
// choice, and the pointer and keyboard on the mouse picture. Decisions are made by
// MainWindowRouting and DeviceEvents; this file only translates.
#include <windowsx.h>

#include "mainwindow/main_window_timers.h"
#include "mainwindow/main_window_win32.h"
#include "platform/raw_input_win32.h"
#include "ui/picker_win32.h"
#include "ui/tip_win32.h"

namespace corvan {
void CCorvanAssistantDlg::OnRawInput(HRAWINPUT handle) {
  // One buffer per message: running a function can pump messages, and a nested WM_INPUT must not
  // overwrite the reports this one is still decoding.
  alignas(8) RawInputBuffer buffer;
  const RawInputView view = ReadRawInput(handle, buffer);
  if (view.kind == RawInputView::Hid) {
    DecodeRawHidReports(view.reports, view.reportSize, view.reportCount, view.reportBytesAvailable, deviceEvents_);
  } else if (view.kind == RawInputView::Mouse) {
    OnRawMouse(view);
  }
}

void CCorvanAssistantDlg::OnRawMouse(const RawInputView& mouse) {
  overlays_.OnRawMouse(mouse);
  QxItemList* picker = overlays_.picker();
  if (mouse.buttonFlags == 0 || !picker) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  HWND under = WindowFromPoint(cursor);
  const bool overPicker = under && (picker->OwnsWindow(under) || IsChild(picker->hwnd(), under));
  const bool magnifierFocused = overlays_.IsMagnifier(GetForegroundWindow());
  Perform(routing_.OnRawMouseButton(CurrentPickerFacts(), magnifierFocused, overPicker));
}

PickerFacts CCorvanAssistantDlg::CurrentPickerFacts() {
  QxItemList* picker = overlays_.picker();
  if (!picker) return PickerFacts{false, false, PickerMode::Editor};
  return PickerFacts{picker->hwnd() != nullptr, picker->IsVisible(), picker->mode()};
}

bool CCorvanAssistantDlg::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_PRINT || msg->message == WM_PRINTCLIENT) return true;
  const bool onMainWindow = msg->hwnd == hwnd();
  QxItemList* picker = overlays_.picker();
  const bool onPicker = picker && (picker->OwnsWindow(msg->hwnd) || IsChild(picker->hwnd(), msg->hwnd));
  // Pointer positions are taken in the main window's client area, wherever the message went.
  auto clientPoint = [&] {
    POINT p{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
    if (!onMainWindow) MapWindowPoints(msg->hwnd, hwnd(), &p, 1);
    // The editor is laid out at 96 DPI.
    return skin_.scale().Base(Point{p.x, p.y});
  };
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Perform(routing_.OnKeyDown(static_cast<uint32_t>(msg->wParam), CurrentPickerFacts()));
      break;
    case WM_MOUSEMOVE:
      Perform(routing_.OnMouseMove(clientPoint(), CurrentPickerFacts()));
      break;
    case WM_LBUTTONDOWN:
      Perform(routing_.OnLeftButtonDown(clientPoint(), onMainWindow, onPicker, CurrentPickerFacts()));
      break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Perform(routing_.OnOtherButtonDown(clientPoint(), onMainWindow));
      break;
    case WM_LBUTTONUP:
      Perform(routing_.OnLeftButtonUp(clientPoint()));
      break;
    default:
      break;
  }
  return Dialog::PreTranslateMessage(msg);
}

void CCorvanAssistantDlg::Perform(const RoutingActions& actions) {
  for (const RoutingAction& action : actions) {
    const Point client = skin_.scale().Px(action.point);
    POINT screen{client.x, client.y};
    switch (action.kind) {
      case RoutingAction::Invalidate:
        InvalidateRect(hwnd(), nullptr, FALSE);
        break;
      case RoutingAction::ShowTip:
        ClientToScreen(hwnd(), &screen);
        overlays_.ShowFunctionTip({screen.x, screen.y}, action.text, action.displayMs, action.size);
        break;
      case RoutingAction::ResetTip:
        HideFunctionTip(false);
        break;
      case RoutingAction::HideTipWindow:
        HideFunctionTip(true);
        break;
      case RoutingAction::ClosePicker:
        overlays_.ClosePicker();
        break;
      case RoutingAction::OpenPickerForSlot:
        ClientToScreen(hwnd(), &screen);
        if (QxItemList* picker = overlays_.picker()) {
          picker->Fill(state_.functionCatalogue.entries, 0);
          const int32_t slot = routing_.editedCallout();
          if (slot >= 0 && slot < static_cast<int32_t>(std::size(kEditableSlots))) {
            picker->SetCurrent(state_.assignments.*kEditableSlots[slot]);
          }
          overlays_.ShowPicker({screen.x, screen.y}, PickerMode::Editor);
        }
        break;
      case RoutingAction::OpenOrderList:
        ClientToScreen(hwnd(), &screen);
        if (QxItemList* picker = overlays_.picker()) {
          picker->Fill(ButtonOrderRows(state_.texts.orderLabels), 0);
          picker->SetCurrent(state_.assignments.buttonOrder);
          overlays_.ShowPicker({screen.x, screen.y}, PickerMode::ButtonOrder);
        }
        break;
      case RoutingAction::StartDrag:
        PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(client.x, client.y));
        break;
      case RoutingAction::Minimize:
        ShowWindow(hwnd(), SW_MINIMIZE);
        break;
      case RoutingAction::HideMainWindow:
        overlays_.HideMainWindowForAWhile();
        break;
      case RoutingAction::ApplyFactoryDefaults:
        corvan::ApplyFactoryDefaults(state_.assignments, state_.functionCatalogue, *this);
        break;
      case RoutingAction::AssignAndSave:
        AssignEditableSlot(state_.assignments, action.slot, action.function);
        SaveSettings();
        break;
      case RoutingAction::SetOrderAndSave:
        if (IsButtonOrder(action.function)) {
          state_.assignments.buttonOrder = action.function;
          SaveSettings();
        }
        break;
      case RoutingAction::RunFunction:
        dispatcher_.RunFunction(action.function);
        break;
    }
  }
}

}  // namespace corvan
