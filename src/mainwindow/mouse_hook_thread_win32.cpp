#include "mainwindow/mouse_hook_thread_win32.h"

#include <atomic>

namespace corvan {
namespace {

// Asked of the hook's thread; it sets the answer event once it has done it.
constexpr UINT kReinstallHookMessage = WM_APP + 0x40;
// How long a caller waits for the hook's thread to start, reinstall or end. The thread does
// nothing else, so it answers within a few milliseconds; the bound only keeps a stuck system
// call from holding the caller.
constexpr DWORD kAnswerBoundMs = 2000;

}  // namespace

struct MouseHookThread::Shared {
  Shared() : answered(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Shared() {
    if (answered) CloseHandle(answered);
  }

  void Install() { hook.store(SetWindowsHookExW(WH_MOUSE_LL, proc, GetModuleHandleW(nullptr), 0)); }
  // A hook the system has already removed fails to unhook, harmlessly.
  void Remove() {
    if (HHOOK old = hook.exchange(nullptr)) UnhookWindowsHookEx(old);
  }
  // The new hook goes in before the old one comes out, so that no event passes unhooked in
  // between. While both are in, an event the new one swallows never reaches the old one, and one
  // it passes on does nothing in the old one but count.
  void Replace() {
    const HHOOK old = hook.load();
    Install();
    if (old) UnhookWindowsHookEx(old);
  }

  void Run() {
    MSG msg;
    // The thread's message queue exists before anyone can post to it.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    Install();
    SetEvent(answered);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.hwnd == nullptr && msg.message == kReinstallHookMessage) {
        Replace();
        SetEvent(answered);
      }
    }
    Remove();
  }

  HOOKPROC proc = nullptr;
  HANDLE answered;  // auto reset: the thread did what it was last asked
  std::atomic<HHOOK> hook{nullptr};
  std::atomic<DWORD> threadId{0};
};

MouseHookThread::MouseHookThread() : shared_(std::make_shared<Shared>()) {}

MouseHookThread::~MouseHookThread() { Stop(); }

bool MouseHookThread::Start(HOOKPROC hook) {
  if (thread_.started() || !shared_->answered) return false;
  shared_->proc = hook;
  const bool started = thread_.Start([shared = shared_] {
    shared->threadId.store(GetCurrentThreadId());
    shared->Run();
  });
  if (!started) return false;
  WaitForSingleObject(shared_->answered, kAnswerBoundMs);
  return handle() != nullptr;
}

bool MouseHookThread::Reinstall() {
  const DWORD id = threadId();
  if (!id || !PostThreadMessageW(id, kReinstallHookMessage, 0, 0)) return false;
  WaitForSingleObject(shared_->answered, kAnswerBoundMs);
  return handle() != nullptr;
}

void MouseHookThread::Stop() {
  if (!thread_.started()) return;
  if (const DWORD id = threadId()) PostThreadMessageW(id, WM_QUIT, 0, 0);
  thread_.Join(kAnswerBoundMs);
}

HHOOK MouseHookThread::handle() const { return shared_->hook.load(); }

DWORD MouseHookThread::threadId() const { return shared_->threadId.load(); }

}  // namespace corvan
