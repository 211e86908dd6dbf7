#include "mainwindow/main_window_win32.h"

#include "app/named_events.h"
#include "config/settings.h"
#include "mainwindow/main_window_timers.h"
#include "resource_ids.h"

namespace corvan {
namespace {

constexpr wchar_t kWindowTitle[] = L"Telvo Mirkat Rev1.0";
constexpr UINT kWakeFromSecondCopy = WM_APP + 1;
constexpr DWORD kListenerEndWaitMs = 2000;

}  // namespace

CCorvanAssistantDlg::CCorvanAssistantDlg(ProgramState& state, InstanceEvents events)
    : Dialog(IDD_MAIN_WINDOW), state_(state), events_(events) {}

BOOL CCorvanAssistantDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  SetWindowTextW(hwnd(), kWindowTitle);

  ComputeProgramDir();
  QueryWindowsVersion();
  state_.functionCatalogue = BuildCatalogue(state_.functionLabels, state_.windows62);

  if (state_.startHidden == 1) SetTimer(hwnd(), kTimerStartHidden, kStartHiddenPeriodMs, nullptr);
  CreateThread(nullptr, 0, SingleInstanceListener, this, 0, nullptr);
  LoadSettings(store_, state_.assignments, state_.functionCatalogue);
  CreateThread(nullptr, 0, CloseWatcher, this, 0, nullptr);
  SaveSettings(store_, state_.assignments, state_.functionCatalogue, *this);
  return TRUE;
}

void CCorvanAssistantDlg::ComputeProgramDir() {
  wchar_t path[510] = {};
  GetModuleFileNameW(nullptr, path, 510);
  std::wstring dir(path);
  const size_t slash = dir.rfind(L'\\');
  if (slash != std::wstring::npos) dir.resize(slash);
  state_.programDir = dir + L"\\";
}

void CCorvanAssistantDlg::QueryWindowsVersion() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool ok = GetVersionExW(&version) != FALSE;
#pragma GCC diagnostic pop
  state_.windows62 = IsWindows62OrLater(ok, version.dwMajorVersion, version.dwMinorVersion);
}

bool CCorvanAssistantDlg::OnCommand(WORD id, WORD notifyCode) {
  if (id == IDC_ENABLE_EXPOSE) return true;
  return Dialog::OnCommand(id, notifyCode);
}

void CCorvanAssistantDlg::OnTimer(UINT_PTR id) {
  switch (id) {
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
      SetForegroundWindow(hwnd());
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

void CCorvanAssistantDlg::OnCancel() {
  // Esc and close requests never end the program; only the close path does.
  if (state_.shuttingDown == kRunning) return;
  PulseEvent(events_.singleInstance);
  for (DWORD waited = 0; state_.shuttingDown != kListenerEnded && waited < kListenerEndWaitMs; waited += 2) {
    Sleep(2);
  }
  Sleep(10);
  EndDialog(IDCANCEL);
}

std::optional<LRESULT> CCorvanAssistantDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kWakeFromSecondCopy) {
    SetTimer(hwnd(), kTimerShowSequence, showSequence_.Start(), nullptr);
    return 0;
  }
  return Dialog::WindowProc(message, wParam, lParam);
}

void CCorvanAssistantDlg::OnDestroy() {}

DWORD WINAPI CCorvanAssistantDlg::SingleInstanceListener(LPVOID param) {
  auto* self = static_cast<CCorvanAssistantDlg*>(param);
  // The show sequence runs on the window's thread, so this thread is back waiting at once and a
  // later copy's pulse is never missed.
  while (WaitForSingleObject(self->events_.singleInstance, INFINITE) == WAIT_OBJECT_0) {
    if (self->state_.shuttingDown != kRunning) break;
    PostMessageW(self->hwnd(), kWakeFromSecondCopy, 0, 0);
  }
  self->state_.shuttingDown = kListenerEnded;
  return 0;
}

DWORD WINAPI CCorvanAssistantDlg::CloseWatcher(LPVOID param) {
  auto* self = static_cast<CCorvanAssistantDlg*>(param);
  if (WaitForSingleObject(self->events_.close, INFINITE) != WAIT_OBJECT_0) return 0;
  self->state_.assignments.flagByte = 0;
  self->state_.shuttingDown = kClosing;
  Sleep(400);
  PostMessageW(self->hwnd(), WM_COMMAND, IDCANCEL, 0);
  return 0;
}

}  // namespace corvan
