#include "mainwindow/low_level_hook_thread_win32.h"

#include <atomic>

#include "core/program_messages.h"

namespace corvan {
namespace {

// How long a caller waits for the hook's thread to start, answer or end. The thread does nothing
// else, so it answers within a few milliseconds; the bound only keeps a stuck system call from
// holding the caller.
constexpr DWORD kAnswerBoundMs = 2000;

HHOOK Install(int kind, HOOKPROC proc) { return SetWindowsHookExW(kind, proc, GetModuleHandleW(nullptr), 0); }

// A hook the system has already removed fails to unhook, harmlessly.
void Remove(std::atomic<HHOOK>& hook) {
  if (HHOOK old = hook.exchange(nullptr)) UnhookWindowsHookEx(old);
}

}  // namespace

struct LowLevelHookThread::Shared {
  Shared() : answered(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Shared() {
    if (answered) CloseHandle(answered);
  }

  // The new mouse hook goes in before the old one comes out, so that no event passes unhooked in
  // between. While both are in, an event the new one swallows never reaches the old one, and one
  // it passes on does nothing in the old one but count.
  void ReplaceMouseHook() {
    const HHOOK old = mouseHook.load();
    mouseHook.store(Install(WH_MOUSE_LL, mouseProc));
    if (old) UnhookWindowsHookEx(old);
  }

  void Run() {
    MSG msg;
    // The thread's message queue exists before anyone can post to it.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    mouseHook.store(Install(WH_MOUSE_LL, mouseProc));
    SetEvent(answered);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.hwnd) continue;
      if (msg.message == kReinstallMouseHookMessage) {
        ReplaceMouseHook();
        SetEvent(answered);
      } else if (msg.message == kKeyboardHookMessage) {
        if (msg.wParam && !keyboardHook.load()) keyboardHook.store(Install(WH_KEYBOARD_LL, keyboardProc));
        if (!msg.wParam) Remove(keyboardHook);
        SetEvent(answered);
      }
    }
    Remove(keyboardHook);
    Remove(mouseHook);
  }

  HOOKPROC mouseProc = nullptr;
  std::atomic<HOOKPROC> keyboardProc{nullptr};
  HANDLE answered;  // auto reset: the thread did what it was last asked
  std::atomic<HHOOK> mouseHook{nullptr};
  std::atomic<HHOOK> keyboardHook{nullptr};
  std::atomic<DWORD> threadId{0};
};

LowLevelHookThread::LowLevelHookThread() : shared_(std::make_shared<Shared>()) {}

LowLevelHookThread::~LowLevelHookThread() { Stop(); }

bool LowLevelHookThread::Start(HOOKPROC mouseHook) {
  if (thread_.started() || !shared_->answered) return false;
  shared_->mouseProc = mouseHook;
  const bool started = thread_.Start([shared = shared_] {
    shared->threadId.store(GetCurrentThreadId());
    shared->Run();
  });
  if (!started) return false;
  WaitForSingleObject(shared_->answered, kAnswerBoundMs);
  return handle() != nullptr;
}

bool LowLevelHookThread::Reinstall() {
  const DWORD id = threadId();
  if (!id || !PostThreadMessageW(id, kReinstallMouseHookMessage, 0, 0)) return false;
  WaitForSingleObject(shared_->answered, kAnswerBoundMs);
  return handle() != nullptr;
}

bool LowLevelHookThread::ListenToKeyboard(HOOKPROC keyboardHook, bool on) {
  if (on == listeningToKeyboard()) return true;
  const DWORD id = threadId();
  shared_->keyboardProc.store(keyboardHook);
  if (!id || !PostThreadMessageW(id, kKeyboardHookMessage, on ? 1 : 0, 0)) return false;
  WaitForSingleObject(shared_->answered, kAnswerBoundMs);
  return listeningToKeyboard() == on;
}

void LowLevelHookThread::Stop() {
  if (!thread_.started()) return;
  if (const DWORD id = threadId()) PostThreadMessageW(id, WM_QUIT, 0, 0);
  thread_.Join(kAnswerBoundMs);
}

HHOOK LowLevelHookThread::handle() const { return shared_->mouseHook.load(); }

bool LowLevelHookThread::listeningToKeyboard() const { return shared_->keyboardHook.load() != nullptr; }

DWORD LowLevelHookThread::threadId() const { return shared_->threadId.load(); }

}  // namespace corvan
