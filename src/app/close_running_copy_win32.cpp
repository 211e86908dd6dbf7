#include "app/close_running_copy_win32.h"

#include <windows.h>

#include "core/named_events.h"

namespace corvan {
namespace {

// A running copy's close sequence takes well under a second; a stuck one is not waited for.
constexpr DWORD kRunningCopyEndWaitMs = 10000;

}  // namespace

void CloseRunningCopyAndWait() {
  // The process is opened before the request, so that it cannot end and hand its id to another.
  HANDLE running = nullptr;
  if (HWND window = FindWindowW(L"#32770", kMainWindowTitle)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    running = OpenProcess(SYNCHRONIZE, FALSE, process);
  }
  if (HANDLE close = OpenEventW(EVENT_MODIFY_STATE, FALSE, kCloseEventName)) {
    PulseEvent(close);
    CloseHandle(close);
  }
  if (running) {
    WaitForSingleObject(running, kRunningCopyEndWaitMs);
    CloseHandle(running);
  }
}

}  // namespace corvan
