// Registers for raw mouse input the way the main window does (input sink) and prints every message that
// carries button flags, through the program's own reader: "buttons=0x0001" per line. Runs until
// it has printed the number of lines given as its argument, or 30 s have passed.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "platform/raw_input_win32.h"

namespace {

int wanted = 1;
int printed = 0;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INPUT) {
    alignas(8) static corvan::RawInputBuffer buffer;
    const corvan::RawInputView view = corvan::ReadRawInput(reinterpret_cast<HRAWINPUT>(lParam), buffer);
    if (view.kind == corvan::RawInputView::Mouse && view.buttonFlags != 0) {
      std::printf("buttons=0x%04x\n", view.buttonFlags);
      std::fflush(stdout);
      if (++printed >= wanted) PostQuitMessage(0);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1) wanted = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"RawMouseProbe";
  RegisterClassW(&windowClass);
  // Wine hears X input only over its own windows: the clicks land on this one.
  HWND window = CreateWindowExW(0, L"RawMouseProbe", L"raw mouse probe", WS_POPUP | WS_VISIBLE, 100, 100, 300, 300,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  RAWINPUTDEVICE mouse{0x0001, 0x0002, RIDEV_INPUTSINK, window};
  if (!RegisterRawInputDevices(&mouse, 1, sizeof(mouse))) return 2;
  std::printf("ready\n");
  std::fflush(stdout);
  SetTimer(window, 1, 30000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) break;
    DispatchMessageW(&msg);
  }
  return printed >= wanted ? 0 : 1;
}
