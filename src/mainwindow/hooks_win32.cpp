#include "mainwindow/hooks_win32.h"

#include "mainwindow/mouse_hook_rules.h"
#include "presenter/board_dlg_win32.h"

namespace corvan {
namespace {

// Hook callbacks carry no context; there is one set of hooks per process.
SystemHooks* hooks = nullptr;

}  // namespace

SystemHooks::SystemHooks(ProgramState& state, BoardDlg& board, HANDLE tiltEvent)
    : state_(state),
      board_(board),
      tiltEvent_(tiltEvent),
      shared_{board_.shownFlag(), state_.boardMode, state_.spotlightSize, state_.tiltAccumulator, eventsSeen_} {
  hooks = this;
}

SystemHooks::~SystemHooks() {
  RemoveMouseHook();
  RemoveForegroundHook();
  hooks = nullptr;
}

void SystemHooks::InstallMouseHook() {
  mouseHook_ = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, GetModuleHandleW(nullptr), 0);
  watch_.Reset(mouseEventsSeen());
}

void SystemHooks::InstallForegroundHook() {
  foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged, 0, 0, 0);
}

void SystemHooks::RemoveMouseHook() {
  if (mouseHook_) UnhookWindowsHookEx(mouseHook_);
  mouseHook_ = nullptr;
}

void SystemHooks::RemoveForegroundHook() {
  if (foregroundHook_) UnhookWinEvent(foregroundHook_);
  foregroundHook_ = nullptr;
}

void SystemHooks::ReinstallMouseHook() {
  if (!mouseHook_) return;
  // The old handle may be dead already; unhooking it then fails harmlessly.
  RemoveMouseHook();
  InstallMouseHook();
}

bool SystemHooks::WatchMouseHook() {
  if (!mouseHook_ || !watch_.OnRawMouse(mouseEventsSeen())) return false;
  ReinstallMouseHook();
  return true;
}

LRESULT CALLBACK SystemHooks::MouseHook(int code, WPARAM message, LPARAM event) {
  if (!hooks) return CallNextHookEx(nullptr, code, message, event);
  const uint32_t mouseData = code == HC_ACTION ? reinterpret_cast<const MSLLHOOKSTRUCT*>(event)->mouseData : 0;
  const MouseHookOutcome outcome = ApplyMouseHook({code, static_cast<uint32_t>(message), mouseData}, hooks->shared_);
  if (outcome.pulseTilt && hooks->tiltEvent_) PulseEvent(hooks->tiltEvent_);
  switch (outcome.verdict) {
    case HookVerdict::ReturnZero:
      return 0;
    case HookVerdict::Swallow:
      return 1;
    case HookVerdict::PassOn:
      break;
  }
  return CallNextHookEx(nullptr, code, message, event);
}

void CALLBACK SystemHooks::ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  if (!window || !hooks || !hooks->board_.IsVisible()) return;
  if (hooks->state_.boardMode != kBoardModeSpotlight || window == hooks->board_.hwnd()) return;
  SetWindowPos(hooks->board_.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace corvan
