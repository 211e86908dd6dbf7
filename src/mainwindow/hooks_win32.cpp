#include "mainwindow/hooks_win32.h"

#include "mainwindow/mouse_hook_rules.h"
#include "presenter/board_dlg_win32.h"

namespace corvan {
namespace {

// Hook callbacks carry no context; there is one set of hooks per process. The mouse hook reads it
// on its own thread.
std::atomic<SystemHooks*> hooks{nullptr};

}  // namespace

SystemHooks::SystemHooks(ProgramState& state, BoardDlg& board, HANDLE tiltEvent, HWND owner)
    : state_(state),
      board_(board),
      tiltEvent_(tiltEvent),
      boardWindow_(board.hwnd()),
      owner_(owner),
      shared_{board_.shownFlag(), state_.boardMode, state_.spotlightSize, state_.tiltAccumulator, eventsSeen_} {
  hooks = this;
}

SystemHooks::~SystemHooks() {
  RemoveMouseHook();
  RemoveForegroundHook();
  hooks = nullptr;
}

void SystemHooks::InstallMouseHook() {
  mouseHookThread_.Start(MouseHook);
  watch_.Reset(mouseEventsSeen());
}

void SystemHooks::InstallForegroundHook() {
  foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged, 0, 0, 0);
}

void SystemHooks::RemoveMouseHook() { mouseHookThread_.Stop(); }

void SystemHooks::ListenForBoardEscape(bool on) { mouseHookThread_.ListenToKeyboard(KeyboardHook, on); }

void SystemHooks::RemoveForegroundHook() {
  if (foregroundHook_) UnhookWinEvent(foregroundHook_);
  foregroundHook_ = nullptr;
}

void SystemHooks::ReinstallMouseHook() {
  if (!mouseHookThread_.handle()) return;
  mouseHookThread_.Reinstall();
  watch_.Reset(mouseEventsSeen());
}

bool SystemHooks::WatchMouseHook() {
  if (!mouseHookThread_.handle() || !watch_.OnRawMouse(mouseEventsSeen())) return false;
  ReinstallMouseHook();
  return true;
}

LRESULT CALLBACK SystemHooks::MouseHook(int code, WPARAM message, LPARAM event) {
  SystemHooks* self = hooks.load();
  if (!self) return CallNextHookEx(nullptr, code, message, event);
  const uint32_t mouseData = code == HC_ACTION ? reinterpret_cast<const MSLLHOOKSTRUCT*>(event)->mouseData : 0;
  const MouseHookOutcome outcome = ApplyMouseHook({code, static_cast<uint32_t>(message), mouseData}, self->shared_);
  if (outcome.pulseTilt && self->tiltEvent_) PulseEvent(self->tiltEvent_);
  // Posted, never sent: the hook must not wait for the board's thread.
  if (outcome.presentSpotlight && self->boardWindow_) PostMessageW(self->boardWindow_, kSpotlightResizedMessage, 0, 0);
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

LRESULT CALLBACK SystemHooks::KeyboardHook(int code, WPARAM message, LPARAM event) {
  SystemHooks* self = hooks.load();
  if (!self || code != HC_ACTION) return CallNextHookEx(nullptr, code, message, event);
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
  if (key->vkCode != VK_ESCAPE || !self->board_.shownFlag().load(std::memory_order_relaxed)) {
    return CallNextHookEx(nullptr, code, message, event);
  }
  // Esc is the board's, press and release alike: a presentation under the spotlight would
  // otherwise end its slide show.
  if (message == WM_KEYDOWN && self->owner_) PostMessageW(self->owner_, kLeaveBoardMessage, 0, 0);
  return 1;
}

void CALLBACK SystemHooks::ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  SystemHooks* self = hooks.load();
  if (!window || !self || !self->board_.IsVisible()) return;
  if (self->state_.boardMode != kBoardModeSpotlight || window == self->board_.hwnd()) return;
  self->board_.Raise();
}

}  // namespace corvan
