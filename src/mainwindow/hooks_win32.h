#pragma once

#include <windows.h>

#include <atomic>

#include "core/program_messages.h"
#include "mainwindow/hook_watch.h"
#include "mainwindow/low_level_hook_thread_win32.h"
#include "mainwindow/mouse_hook_rules.h"
#include "mainwindow/program_state.h"

namespace corvan {

class BoardDlg;


// The program's system-wide hooks: the low-level mouse hook (spotlight wheel, tilt wheel), on a
// thread of its own, and the foreground hook (keeps the spotlight on top), on the main window's
// thread. The mouse hook only does plain loads and stores, an add and, for the tilt wheel, a
// pulse; for the spotlight wheel it posts the board a request to draw the new size.
class SystemHooks {
 public:
  // `owner` gets kLeaveBoardMessage when Esc is pressed while a presenter mode is on.
  SystemHooks(ProgramState& state, BoardDlg& board, HANDLE tiltEvent, HWND owner = nullptr);
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

  // While a presenter mode is on, Esc leaves it, whichever window has the keyboard: the keyboard
  // hook takes Esc and tells the owner. Off otherwise, so keystrokes wake nothing.
  void ListenForBoardEscape(bool on);

  HHOOK mouseHookHandle() const { return mouseHookThread_.handle(); }
  DWORD mouseHookThreadId() const { return mouseHookThread_.threadId(); }
  uint32_t mouseEventsSeen() const { return eventsSeen_.load(std::memory_order_relaxed); }

 private:
  static LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM event);
  static LRESULT CALLBACK KeyboardHook(int code, WPARAM message, LPARAM event);
  static void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD);

  ProgramState& state_;
  BoardDlg& board_;
  HANDLE tiltEvent_;
  HWND boardWindow_;
  HWND owner_;
  LowLevelHookThread mouseHookThread_;
  HWINEVENTHOOK foregroundHook_ = nullptr;
  std::atomic<uint32_t> eventsSeen_{0};
  MouseHookShared shared_;
  HookWatch watch_;
};

}  // namespace corvan
