#include "mainwindow/hooks_win32.h"

#include "mainwindow/mouse_hook_rules.h"
#include "presenter/board_dlg_win32.h"

namespace corvan {
namespace {

// Hook callbacks carry no context; there is one set of hooks per process.
ProgramState* hookState = nullptr;
BoardDlg* hookBoard = nullptr;
HANDLE hookTiltEvent = nullptr;

}  // namespace

SystemHooks::SystemHooks(ProgramState& state, BoardDlg& board, HANDLE tiltEvent)
    : state_(state), board_(board), tiltEvent_(tiltEvent) {
  hookState = &state_;
  hookBoard = &board_;
  hookTiltEvent = tiltEvent_;
}

SystemHooks::~SystemHooks() {
  RemoveMouseHook();
  RemoveForegroundHook();
  hookState = nullptr;
  hookBoard = nullptr;
  hookTiltEvent = nullptr;
}

void SystemHooks::InstallMouseHook() {
  mouseHook_ = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, GetModuleHandleW(nullptr), 0);
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

LRESULT CALLBACK SystemHooks::MouseHook(int code, WPARAM message, LPARAM event) {
  if (!hookState) return CallNextHookEx(nullptr, code, message, event);
  const auto* record = reinterpret_cast<const MSLLHOOKSTRUCT*>(event);
  const MouseHookEvent facts{code, static_cast<uint32_t>(message), code == HC_ACTION ? record->mouseData : 0};
  const MouseHookContext context{hookBoard && hookBoard->IsVisible(), hookState->boardMode, hookState->spotlightSize};
  const MouseHookDecision decision = DecideMouseHook(facts, context);
  if (decision.resizeSpotlight) hookState->spotlightSize = decision.spotlightSize;
  if (decision.addTilt) {
    hookState->tiltAccumulator.fetch_add(decision.tiltSteps);
    if (hookTiltEvent) PulseEvent(hookTiltEvent);
  }
  switch (decision.verdict) {
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
  if (!window || !hookBoard || !hookState || !hookBoard->IsVisible()) return;
  if (hookState->boardMode != kBoardModeSpotlight || window == hookBoard->hwnd()) return;
  SetWindowPos(hookBoard->hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace corvan
