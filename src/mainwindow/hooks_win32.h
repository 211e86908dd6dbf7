#pragma once

#include <windows.h>

#include "mainwindow/program_state.h"

namespace corvan {

class BoardDlg;

// The system-wide hooks of the main window's thread: the low-level mouse hook (spotlight wheel,
// tilt wheel) and the foreground hook (keeps the spotlight on top). Both callbacks run on the
// thread that installed them; they decide with plain arithmetic and return.
class SystemHooks {
 public:
  SystemHooks(ProgramState& state, BoardDlg& board, HANDLE tiltEvent);
  ~SystemHooks();
  void InstallMouseHook();
  void InstallForegroundHook();
  void RemoveMouseHook();
  void RemoveForegroundHook();
  bool foregroundHookInstalled() const { return foregroundHook_ != nullptr; }

 private:
  static LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM event);
  static void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD);

  ProgramState& state_;
  BoardDlg& board_;
  HANDLE tiltEvent_;
  HHOOK mouseHook_ = nullptr;
  HWINEVENTHOOK foregroundHook_ = nullptr;
};

}  // namespace corvan
