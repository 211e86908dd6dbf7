#include "platform/owned_thread_win32.h"

#include <memory>

namespace corvan {
namespace {

DWORD WINAPI RunBody(LPVOID param) {
  std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(param));
  (*body)();
  return 0;
}

}  // namespace

OwnedThread::~OwnedThread() {
  if (handle_) CloseHandle(handle_);
}

bool OwnedThread::Start(std::function<void()> body) {
  if (handle_) return false;
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  handle_ = CreateThread(nullptr, 0, RunBody, owned.get(), 0, nullptr);
  if (!handle_) return false;
  owned.release();
  return true;
}

bool OwnedThread::Join(DWORD boundMs) {
  if (!handle_) return true;
  if (WaitForSingleObject(handle_, boundMs) != WAIT_OBJECT_0) return false;
  CloseHandle(handle_);
  handle_ = nullptr;
  return true;
}

}  // namespace corvan
