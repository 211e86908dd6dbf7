#include "app/restore_receivers_win32.h"

#include <windows.h>

#include <atomic>
#include <mutex>

#include "app/close_running_copy_win32.h"
#include "config/assignments.h"
#include "config/shutting_down.h"
#include "device/receiver_link.h"
#include "platform/hid_win32.h"

namespace corvan {
namespace {

// A crashed process may hold locks the restore needs (the heap's among them): it gets this long.
constexpr DWORD kCrashRestoreWaitMs = 2000;

Assignments* crashedAssignments = nullptr;
std::atomic<int32_t>* crashedShuttingDown = nullptr;

DWORD WINAPI RestoreThread(LPVOID) {
  RestoreReceiversNow();
  return 0;
}

LONG WINAPI RestoreThenCrash(EXCEPTION_POINTERS*) {
  static std::atomic<bool> restoring{false};
  if (!restoring.exchange(true)) {
    if (crashedAssignments) crashedAssignments->flagByte = 0;
    if (crashedShuttingDown) *crashedShuttingDown = kClosing;
    if (HANDLE thread = CreateThread(nullptr, 0, RestoreThread, nullptr, 0, nullptr)) {
      WaitForSingleObject(thread, kCrashRestoreWaitMs);
      CloseHandle(thread);
    }
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void RestoreReceiversNow() {
  Win32HidEnumerator enumerator;
  Win32Sleeper sleeper;
  JoiningThreadStarter threads;
  std::mutex lock;
  Assignments neutral;
  std::atomic<int32_t> shuttingDown{kRunning};
  ReceiverLink link(enumerator, sleeper, threads, lock, neutral, shuttingDown);
  link.RunCloseSequence(neutral, shuttingDown, [] {});
}

void RestoreReceiversOnCrash(Assignments& assignments, std::atomic<int32_t>& shuttingDown) {
  crashedAssignments = &assignments;
  crashedShuttingDown = &shuttingDown;
  SetUnhandledExceptionFilter(RestoreThenCrash);
}

void CloseRunningCopyAndRestoreReceivers() {
  CloseRunningCopyAndWait();
  RestoreReceiversNow();
}

}  // namespace corvan
