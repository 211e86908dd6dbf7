#include "mainwindow/main_window_win32.h"

#include "platform/display_scale_win32.h"

#include <objbase.h>
#include <wtsapi32.h>

#include "config/function_names.h"
#include "config/settings.h"
#include "core/named_events.h"
#include "device/raw_input_registrations.h"
#include "mainwindow/main_window_timers.h"
#include "mainwindow/picker_watch.h"
#include "platform/profile_reader_win32.h"
#include "platform/windows_version_win32.h"
#include "resource_ids.h"
#include "ui/editor_paint.h"
#include "ui/picker_win32.h"
#include "ui/tip_win32.h"

namespace corvan {
namespace {

// How long the close sequence may take before the program ends without the rest of it.
constexpr UINT kCloseSequenceBoundMs = 8000;

}  // namespace

CCorvanAssistantDlg::CCorvanAssistantDlg(ProgramState& state, InstanceEvents events)
    : Dialog(IDD_MAIN_WINDOW), state_(state), lifetime_(state, events) {}

CCorvanAssistantDlg::~CCorvanAssistantDlg() = default;

BOOL CCorvanAssistantDlg::OnInitDialog() {
  RunInitBeforeShow(*this);
  PostMessageW(hwnd(), kInitAfterShowMessage, 0, 0);
  return TRUE;
}

void CCorvanAssistantDlg::InitialiseFramework() {
  Dialog::OnInitDialog();
  icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  SetWindowTextW(hwnd(), kMainWindowTitle);
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  SetFunctionTipOwner(hwnd());
}

void CCorvanAssistantDlg::CreatePushLock() { lifetime_.ConnectReceivers(); }

void CCorvanAssistantDlg::ComputeProgramDir() {
  wchar_t path[510] = {};
  GetModuleFileNameW(nullptr, path, 510);
  std::wstring dir(path);
  const size_t slash = dir.rfind(L'\\');
  if (slash != std::wstring::npos) dir.resize(slash);
  state_.programDir = dir + L"\\";
}

void CCorvanAssistantDlg::QueryWindowsVersion() { state_.windows62 = QueryWindows62OrLater(); }

void CCorvanAssistantDlg::RegisterDeviceArrival() { lifetime_.RegisterNotifications(hwnd()); }

void CCorvanAssistantDlg::LoadTrayMenu() { tray_.LoadContextMenu(); }

void CCorvanAssistantDlg::AddTrayIcon() { tray_.Add(hwnd()); }

void CCorvanAssistantDlg::Localise() {
  Win32ProfileReader reader(state_.programDir + kLanguageFileName);
  LoadLanguageFile(reader, state_.texts);
  const auto& hints = state_.texts.editorHints;
  routing_ = MainWindowRouting(EditorHotRegions{}, RoutingTexts{.buttonHint = hints[kHintButton].text,
                                                                .orderHint = hints[kHintOrder].text,
                                                                .gestureHint = hints[kHintGesture].text,
                                                                .extraKeyHint = state_.texts.extraKeyHint,
                                                                .defaultHint = hints[kHintDefault].text,
                                                                .minimizeHint = hints[kHintMinimize].text,
                                                                .closeHint = hints[kHintClose].text});
}

void CCorvanAssistantDlg::BuildCatalogue() {
  state_.functionCatalogue = corvan::BuildCatalogue(state_.texts.functionLabels, state_.windows62);
  state_.englishCatalogue = corvan::BuildCatalogue(DefaultFunctionLabels(), state_.windows62);
}

void CCorvanAssistantDlg::CreateOverlayWindows() {
  overlays_.Create(hwnd());
  const LONG_PTR mainStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  if (!(mainStyle & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, mainStyle | WS_EX_LAYERED);
}

void CCorvanAssistantDlg::SetUpSkin() { skin_.SetUp(hwnd(), ScaleOfWindow(hwnd())); }

void CCorvanAssistantDlg::OnDpiChanged(int32_t dpi, const RECT& suggested) {
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  skin_.SetUp(hwnd(), DisplayScale{dpi});
  InvalidateRect(hwnd(), nullptr, FALSE);
}

bool CCorvanAssistantDlg::OnPaint() {
  EditorPaintInput editor;
  editor.catalogue = &state_.functionCatalogue;
  for (size_t slot = 0; slot < std::size(kEditableSlots); ++slot) editor.slots[slot] = state_.assignments.*kEditableSlots[slot];
  editor.buttonOrder = state_.assignments.buttonOrder;
  editor.texts = &state_.texts;
  editor.scale = skin_.scale();
  editor.hoveredCallout = routing_.hoveredCallout();
  editor.editedCallout = routing_.editedCallout();
  editor.hoveredDefault = routing_.hoveredDefault();
  editor.pressedControl = routing_.pressedControl();
  editor.hoveredControl = routing_.hoveredControl();
  bool painted = false;
  EditorHotRegions regions;
  skin_.Paint(hwnd(), icon_, [&](Canvas& canvas) {
    regions = PaintEditor(canvas, editor);
    painted = true;
  });
  // Minimised, nothing of the editor is on the screen to point at.
  if (painted) routing_.SetRegions(regions);
  return true;
}

bool CCorvanAssistantDlg::StartsHidden() { return state_.startHidden == 1; }

void CCorvanAssistantDlg::StartHideTimer() { SetTimer(hwnd(), kTimerStartHidden, kStartHiddenPeriodMs, nullptr); }

void CCorvanAssistantDlg::RegisterRawInput() {
  RAWINPUTDEVICE devices[std::size(kRawInputRegistrations)] = {};
  for (size_t i = 0; i < std::size(kRawInputRegistrations); ++i) {
    devices[i].usUsagePage = kRawInputRegistrations[i].usagePage;
    devices[i].usUsage = kRawInputRegistrations[i].usage;
    devices[i].dwFlags = RIDEV_INPUTSINK;
    devices[i].hwndTarget = hwnd();
  }
  if (!RegisterRawInputDevices(devices, static_cast<UINT>(std::size(devices)), sizeof(RAWINPUTDEVICE))) {
    MessageBoxW(nullptr, L"error", L"", MB_OK);
  }
}

void CCorvanAssistantDlg::Invalidate() { InvalidateRect(hwnd(), nullptr, TRUE); }

void CCorvanAssistantDlg::StartCursorFollower() {
  lifetime_.StartCursorFollower(overlays_.cursorOverlayWindow());
}

void CCorvanAssistantDlg::StartRepaintAndPickerTimers() {
  SetTimer(hwnd(), kTimerRepaintWhenVisible, kRepaintWhenVisiblePeriodMs, nullptr);
  // No picker watch timer: the watch runs when another program takes the foreground
  // (WM_ACTIVATEAPP), so an open picker costs no wake-ups while nothing happens.
}

void CCorvanAssistantDlg::StartSingleInstanceListener() {
  lifetime_.StartSingleInstanceListener(hwnd());
}

void CCorvanAssistantDlg::LoadSettings() { corvan::LoadSettings(store_, state_.assignments, state_.functionCatalogue); }

void CCorvanAssistantDlg::CreateTiltEvents() { lifetime_.CreateTiltEvents(); }

void CCorvanAssistantDlg::StartTiltWorkerAndCloseWatcher() { lifetime_.StartTiltWorkerAndCloseWatcher(hwnd()); }

void CCorvanAssistantDlg::InstallMouseHook() { overlays_.InstallMouseHook(lifetime_.tiltEvent()); }

void CCorvanAssistantDlg::LoadHookLibrary() { overlays_.LoadHookLibrary(state_.programDir); }

void CCorvanAssistantDlg::InitialiseCom() { overlays_.InitialiseCom(); }

void CCorvanAssistantDlg::InstallForegroundHook() { overlays_.InstallForegroundHook(); }

void CCorvanAssistantDlg::SaveSettings() {
  // The link exists from the second initialisation step on, long before the first save.
  corvan::SaveSettings(store_, state_.assignments, state_.functionCatalogue, lifetime_.link());
}

void CCorvanAssistantDlg::RepaintMainWindow() { InvalidateRect(hwnd(), nullptr, FALSE); }

void CCorvanAssistantDlg::PulseDefaultsEvent() { lifetime_.PulseDefaultsEvent(); }

std::optional<LRESULT> CCorvanAssistantDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || !copiedData_) return 0;
    return copiedData_->OnCopiedData(*data, tray_.menuOpen() || state_.shuttingDown != kRunning, dispatcher_);
  }
  if (message == WM_DPICHANGED) {
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) OnDpiChanged(LOWORD(wParam), *suggested);
    return 0;
  }
  if (message == kCloseStartedMessage) {
    SetTimer(hwnd(), kTimerCloseBound, kCloseSequenceBoundMs, nullptr);
    return 0;
  }
  if (message == kInitAfterShowMessage) {
    // A close that came first needs none of it. The window is painted first: the rest takes a
    // moment, and a posted message comes before a paint.
    if (state_.shuttingDown != kRunning) return 0;
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RunInitAfterShow(*this);
    return 0;
  }
  if (message == kWakeFromSecondCopyMessage) {
    SetTimer(hwnd(), kTimerShowSequence, showSequence_.Start(), nullptr);
    return 0;
  }
  if (message == WM_INPUT) {
    OnRawInput(reinterpret_cast<HRAWINPUT>(lParam));
    return std::nullopt;
  }
  if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)) {
    skin_.ReleaseWhileHidden();
    return std::nullopt;
  }
  if (message == kLeaveBoardMessage) {
    overlays_.LeaveBoard();
    return 0;
  }
  if (message == kPickerChoiceMessage) {
    Perform(routing_.OnPickerChoice(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)));
    return 0;
  }
  if (message == kTrayCallbackMessage) {
    OnTrayNotification(wParam, lParam);
    return 0;
  }
  if (taskbarCreatedMessage_ && message == taskbarCreatedMessage_) {
    tray_.AddAgain();
    return 0;
  }
  switch (message) {
    case WM_ENDSESSION:
      if (wParam) OnSessionEnding();
      return 0;
    case WM_ACTIVATEAPP:
      // Another program took the foreground: a list opened for assignment closes.
      if (!wParam) OnPickerWatch();
      return std::nullopt;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon_);
    case WM_DEVICECHANGE:
      lifetime_.OnDeviceChange(wParam, lParam);
      return TRUE;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC) {
        lifetime_.PushSettingsToReceivers();
        overlays_.OnResume();
      }
      return TRUE;
    case WM_WTSSESSION_CHANGE:
      if (wParam == WTS_SESSION_UNLOCK) lifetime_.PushSettingsToReceivers();
      return 0;
    default:
      break;
  }
  return Dialog::WindowProc(message, wParam, lParam);
}

void CCorvanAssistantDlg::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage) {
  const TrayReaction reaction =
      trayClicks_.OnNotification(static_cast<uint32_t>(iconId), static_cast<uint32_t>(mouseMessage));
  if (reaction.showWindow) {
    ShowWindow(hwnd(), SW_RESTORE);
    BringWindowToTop(hwnd());
    SetForegroundWindow(hwnd());
  }
  if (reaction.cancelMenu) KillTimer(hwnd(), kTimerTrayMenu);
  if (reaction.showWindow) InvalidateRect(hwnd(), nullptr, FALSE);
  if (reaction.menuDelayMs) SetTimer(hwnd(), kTimerTrayMenu, reaction.menuDelayMs, nullptr);
}

bool CCorvanAssistantDlg::OnCommand(WORD id, WORD notifyCode) {
  switch (id) {
    case IDC_ENABLE_EXPOSE:
      return true;
    case ID_TRAY_SHOW:
      ShowFromTray();
      return true;
    case ID_TRAY_EXIT:
      if (!lifetime_.Exit()) OnCancel();
      return true;
    default:
      return Dialog::OnCommand(id, notifyCode);
  }
}

void CCorvanAssistantDlg::ShowFromTray() {
  if (!IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_SHOWNORMAL);
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  SetForegroundWindow(hwnd());
}

void CCorvanAssistantDlg::OnTimer(UINT_PTR id) {
  switch (id) {
    case kTimerRepaintWhenVisible:
      if (IsWindowVisible(hwnd())) {
        KillTimer(hwnd(), kTimerRepaintWhenVisible);
        InvalidateRect(hwnd(), nullptr, FALSE);
      }
      break;
    case kTimerStartHidden:
      if (state_.startHidden != 1) {
        KillTimer(hwnd(), kTimerStartHidden);
      } else if (IsWindowVisible(hwnd())) {
        ShowWindow(hwnd(), SW_HIDE);
        state_.startHidden = 0;
        KillTimer(hwnd(), kTimerStartHidden);
        SetTimer(hwnd(), kTimerForeground, kForegroundAfterHideMs, nullptr);
      }
      break;
    case kTimerForeground:
      KillTimer(hwnd(), kTimerForeground);
      if (MainWindowRouting::ForegroundAfterHide(CurrentPickerFacts()) == MainWindowRouting::Foreground::Picker) {
        SetForegroundWindow(overlays_.picker()->hwnd());
      } else {
        SetForegroundWindow(hwnd());
      }
      break;
    case kTimerTrayMenu:
      // Stopped before the menu's own modal loop runs, or the timer would fire inside it.
      KillTimer(hwnd(), kTimerTrayMenu);
      tray_.ShowMenuAtCursor();
      break;
    case kTimerCloseBound:
      KillTimer(hwnd(), kTimerCloseBound);
      OnCloseBoundPassed();
      break;
    case kTimerShowSequence:
      KillTimer(hwnd(), kTimerShowSequence);
      if (auto due = showSequence_.Advance()) {
        RunShowStep(due->step);
        if (due->nextDelayMs) SetTimer(hwnd(), kTimerShowSequence, *due->nextDelayMs, nullptr);
      }
      break;
    default:
      break;
  }
}

void CCorvanAssistantDlg::OnPickerWatch() {
  HWND foreground = GetForegroundWindow();
  QxItemList* picker = overlays_.picker();
  const bool ours = foreground && (overlays_.IsMagnifier(foreground) || foreground == hwnd() ||
                                   (picker && picker->OwnsWindow(foreground)));
  const PickerWatchFacts facts{picker != nullptr, picker && picker->IsVisible(), picker ? picker->opacity() : 0,
                               picker && picker->openedForAssignment(), ours};
  if (PickerShouldClose(facts)) picker->ClosePicker();
}

void CCorvanAssistantDlg::RunShowStep(ShowStep step) {
  switch (step) {
    case ShowStep::Show:
      ShowWindow(hwnd(), SW_SHOWNORMAL);
      break;
    case ShowStep::MakeForeground:
      SetForegroundWindow(hwnd());
      break;
    case ShowStep::BringToTop:
      BringWindowToTop(hwnd());
      break;
    case ShowStep::Invalidate:
      InvalidateRect(hwnd(), nullptr, FALSE);
      break;
  }
}

bool CCorvanAssistantDlg::OnSetCursor(HWND, UINT, UINT) {
  if (routing_.hoveredCallout() == -1 && routing_.hoveredDefault() == -1 && routing_.hoveredControl() == -1) {
    return false;
  }
  SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_CURSOR)));
  return true;
}

void CCorvanAssistantDlg::OnCancel() {
  if (lifetime_.EndThreadsIfClosed()) EndDialog(IDCANCEL);
}

void CCorvanAssistantDlg::OnSessionEnding() {
  // The process may be ended as soon as this returns: the pointer is given back first.
  overlays_.OnSessionEnding();
  lifetime_.OnSessionEnding();
}

void CCorvanAssistantDlg::OnCloseBoundPassed() {
  // The window ends without waiting for the rest of the close sequence.
  lifetime_.OnCloseBoundPassed();
  OnCancel();
}

void CCorvanAssistantDlg::OnDestroy() {
  tray_.Remove();
  overlays_.Destroy();
  lifetime_.Unregister(hwnd());
}

}  // namespace corvan
