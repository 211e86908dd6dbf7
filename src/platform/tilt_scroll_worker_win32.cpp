#include "platform/tilt_scroll_worker_win32.h"

#include <windows.h>

#include "input/tilt_rules.h"
#include "input/tilt_worker.h"
#include "platform/window_inspector_win32.h"

namespace corvan {
namespace {

HWND FocusOfForegroundThread(HWND foreground) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (GetGUIThreadInfo(0, &info) && info.hwndFocus) return info.hwndFocus;
  if (!foreground) return nullptr;
  const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
  const DWORD self = GetCurrentThreadId();
  if (!foregroundThread || foregroundThread == self) return nullptr;
  if (!AttachThreadInput(self, foregroundThread, TRUE)) return nullptr;
  HWND focus = GetFocus();
  AttachThreadInput(self, foregroundThread, FALSE);
  return focus;
}

// The foreground, the pointer, the window under it and the keyboard focus, as they are now.
TiltScene ReadTiltScene(int32_t direction) {
  TiltScene scene;
  scene.direction = direction;
  HWND foreground = GetForegroundWindow();
  POINT cursor{};
  GetCursorPos(&cursor);
  scene.foreground = FromHwnd(foreground);
  scene.cursor = {cursor.x, cursor.y};
  scene.underCursor = FromHwnd(WindowFromPoint(cursor));
  scene.focus = FromHwnd(FocusOfForegroundThread(foreground));
  return scene;
}

void RunTiltStep(int32_t direction) {
  const Win32WindowInspector inspector;
  for (const PostedMessage& post : PlanTiltStep(ReadTiltScene(direction), inspector)) {
    PostMessageW(ToHwnd(post.window), post.message, static_cast<WPARAM>(post.wParam), static_cast<LPARAM>(post.lParam));
  }
}

}  // namespace

void RunTiltScrollStep(std::atomic<int32_t>& accumulator, const std::atomic<int32_t>& shuttingDown) {
  OnTiltWake(accumulator, shuttingDown, RunTiltStep);
}

}  // namespace corvan
