// A window for the tests of what keeps the keyboard: takes the foreground and the focus, prints
// "ready", then "key VK" for each key pressed while it has the focus, and exits after COUNT keys
// or after 30 s.
//   key_target COUNT
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int remaining = 0;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    std::printf("key %u\n", static_cast<unsigned>(wParam));
    std::fflush(stdout);
    if (--remaining <= 0) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  remaining = _wtoi(argv[1]);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"CorvanKeyTarget";
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (!RegisterClassW(&windowClass)) return 3;
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"key target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200,
                                150, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return 3;
  SetForegroundWindow(window);
  SetFocus(window);
  SetTimer(nullptr, 0, 30000, nullptr);
  std::printf("ready\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return remaining <= 0 ? 0 : 1;
}
