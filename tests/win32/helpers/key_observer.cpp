// Prints every key event of the desktop, as a low-level keyboard hook sees it, for the acceptance
// scripts: "ready", then one line per event ("A2 down", "43 up"), until COUNT events or 20 s.
//   key_observer COUNT
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int remaining = 0;

LRESULT CALLBACK Observe(int code, WPARAM message, LPARAM event) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    std::printf("%02lX %s\n", key->vkCode, up ? "up" : "down");
    std::fflush(stdout);
    if (--remaining <= 0) PostQuitMessage(0);
  }
  return CallNextHookEx(nullptr, code, message, event);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  remaining = _wtoi(argv[1]);
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Observe, GetModuleHandleW(nullptr), 0);
  if (!hook) return 3;
  SetTimer(nullptr, 0, 20000, nullptr);
  std::printf("ready\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) break;
    DispatchMessageW(&msg);
  }
  UnhookWindowsHookEx(hook);
  return remaining <= 0 ? 0 : 1;
}
