// Answers questions about the Wine session for the acceptance scripts.
//   probe event-exists NAME    exit 0 when a named event NAME exists
//   probe hide-window TITLE    hides the top-level window TITLE as the program itself would
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"event-exists") == 0) {
    HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, argv[2]);
    if (!event) return 1;
    CloseHandle(event);
    return 0;
  }
  if (argc == 3 && std::wcscmp(argv[1], L"hide-window") == 0) {
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    ShowWindow(window, SW_HIDE);
    return 0;
  }
  return 2;
}
