#pragma once

#include <windows.h>

#include <atomic>

#include "mainwindow/hook_watch.h"
#include "mainwindow/mouse_hook_rules.h"
#include "mainwindow/program_state.h"

namespace corvan {

class BoardDlg;

// The system-wide hooks of the main window's thread: the low-level mouse hook (spotlight wheel,
// tilt wheel) and the foreground hook (keeps the spotlight on top). Both callbacks run on the
// thread that installed them; the mouse hook only does plain loads and stores, an add and, for
// the tilt wheel, a pulse.
class SystemHooks {
 public:
  SystemHooks(ProgramState& state, BoardDlg& board, HANDLE tiltEvent);
  ~SystemHooks();
  void InstallMouseHook();
  void InstallForegroundHook();
  void RemoveMouseHook();
  void RemoveForegroundHook();
  bool foregroundHookInstalled() const { return foregroundHook_ != nullptr; }

  // Raw mouse input arrived at the main window: installs the mouse hook again when the system
  // has dropped it. True when it did.
  bool WatchMouseHook();
  // The system may have dropped the hook while it slept.
  void ReinstallMouseHook();

  HHOOK mouseHookHandle() const { return mouseHook_; }
  uint32_t mouseEventsSeen() const { return eventsSeen_.load(std::memory_order_relaxed); }

 private:
  static LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM event);
  static void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD);

  ProgramState& state_;
  BoardDlg& board_;
  HANDLE tiltEvent_;
  HHOOK mouseHook_ = nullptr;
  HWINEVENTHOOK foregroundHook_ = nullptr;
  std::atomic<uint32_t> eventsSeen_{0};
  MouseHookShared shared_;
  HookWatch watch_;
};

}  // namespace corvan
