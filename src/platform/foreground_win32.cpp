#include "platform/foreground_win32.h"

namespace corvan {

void WithInputOf(HWND window, const std::function<void()>& action) {
  DWORD process = 0;
  const DWORD thread = window ? GetWindowThreadProcessId(window, &process) : 0;
  const DWORD self = GetCurrentThreadId();
  const bool attached = thread && thread != self && AttachThreadInput(self, thread, TRUE);
  if (process) AllowSetForegroundWindow(process);
  action();
  if (attached) AttachThreadInput(self, thread, FALSE);
}

}  // namespace corvan
