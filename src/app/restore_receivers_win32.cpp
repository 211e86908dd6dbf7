#include "app/restore_receivers_win32.h"

#include <windows.h>

#include <atomic>
#include <mutex>

#include "app/named_events.h"
#include "config/assignments.h"
#include "config/shutting_down.h"
#include "device/receiver_link.h"
#include "platform/hid_win32.h"

namespace corvan {
namespace {

// A running copy's close sequence takes well under a second; a stuck one is not waited for.
constexpr DWORD kRunningCopyEndWaitMs = 10000;

}  // namespace

void RestoreReceiversNow() {
  Win32HidEnumerator enumerator;
  Win32Sleeper sleeper;
  DetachedThreadStarter threads;
  std::mutex lock;
  Assignments neutral;
  std::atomic<int32_t> shuttingDown{kRunning};
  ReceiverLink link(enumerator, sleeper, threads, lock, neutral, shuttingDown);
  link.RunCloseSequence(neutral, shuttingDown, [] {});
}

void CloseRunningCopyAndRestoreReceivers() {
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
  RestoreReceiversNow();
}

}  // namespace corvan
