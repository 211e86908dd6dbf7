// Answers questions about the Wine session for the acceptance scripts.
//   probe event-exists NAME    exit 0 when a named event NAME exists
//   probe hide-window TITLE    hides the top-level window TITLE as the program itself would
//   probe work-area            prints the work area: left top right bottom
//   probe menu-visible         exit 0 while a pop-up menu is on screen
//   probe menu-rect            prints the visible pop-up menu's screen rectangle: left top right bottom
//   probe end-session TITLE    tells the window TITLE that the session ends, as a logoff does
//   probe is-iconic TITLE      exit 0 while the top-level window TITLE is minimised
//   probe command TITLE ID...  posts WM_COMMAND with each ID, back to back, to the window TITLE
//   probe hold-names NAME...   takes each NAME for a mutex, so no event can have it; prints
//                              "ready" and holds them for 60 s or until killed
//   probe cursor-confined      exit 0 while the pointer is confined to less than the virtual screen
//   probe foreground           prints the foreground window's class and title
//   probe longest-answer TITLE SECONDS
//                              asks the thread of the window TITLE for an answer every 5 ms for
//                              SECONDS and prints the longest wait for one, in ms
//   probe layered-windows      prints every top-level layered window: its rectangle, whether it
//                              is visible, and whether its thread answers within 2 s
#include <windows.h>

#include <cstdio>
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
  if (argc == 2 && std::wcscmp(argv[1], L"work-area") == 0) {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (argc == 2 && std::wcscmp(argv[1], L"menu-visible") == 0) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? 0 : 1;
  }
  if (argc == 2 && std::wcscmp(argv[1], L"menu-rect") == 0) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    RECT r{};
    if (!menu || !IsWindowVisible(menu) || !GetWindowRect(menu, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (argc == 3 && std::wcscmp(argv[1], L"end-session") == 0) {
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    return SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 10000, &answer) ? 0 : 1;
  }
  if (argc == 3 && std::wcscmp(argv[1], L"is-iconic") == 0) {
    HWND window = FindWindowW(nullptr, argv[2]);
    return window && IsIconic(window) ? 0 : 1;
  }
  if (argc >= 4 && std::wcscmp(argv[1], L"command") == 0) {
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    for (int i = 3; i < argc; ++i) PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[i])), 0);
    return 0;
  }
  if (argc >= 3 && std::wcscmp(argv[1], L"hold-names") == 0) {
    for (int i = 2; i < argc; ++i) {
      if (!CreateMutexW(nullptr, FALSE, argv[i])) return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    Sleep(60000);
    return 0;
  }
  if (argc == 2 && std::wcscmp(argv[1], L"cursor-confined") == 0) {
    RECT clip{};
    if (!GetClipCursor(&clip)) return 2;
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return EqualRect(&clip, &screen) ? 1 : 0;
  }
  if (argc == 2 && std::wcscmp(argv[1], L"foreground") == 0) {
    HWND window = GetForegroundWindow();
    if (!window) return 1;
    wchar_t className[128] = {}, title[256] = {};
    GetClassNameW(window, className, 128);
    GetWindowTextW(window, title, 256);
    std::printf("%ls \"%ls\"\n", className, title);
    return 0;
  }
  if (argc == 4 && std::wcscmp(argv[1], L"longest-answer") == 0) {
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    const ULONGLONG end = GetTickCount64() + 1000ULL * static_cast<ULONGLONG>(_wtoi(argv[3]));
    ULONGLONG longest = 0;
    std::printf("ready\n");
    std::fflush(stdout);
    while (GetTickCount64() < end) {
      const ULONGLONG asked = GetTickCount64();
      DWORD_PTR answer = 0;
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer)) return 1;
      if (GetTickCount64() - asked > longest) longest = GetTickCount64() - asked;
      Sleep(5);
    }
    std::printf("%llu\n", longest);
    return 0;
  }
  if (argc == 2 && std::wcscmp(argv[1], L"layered-windows") == 0) {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
          if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return TRUE;
          RECT r{};
          GetWindowRect(window, &r);
          DWORD_PTR answer = 0;
          const bool answers = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
          std::printf("%p %ldx%ld+%ld+%ld %s, its thread %s\n", static_cast<void*>(window), r.right - r.left,
                      r.bottom - r.top, r.left, r.top, IsWindowVisible(window) ? "visible" : "hidden",
                      answers ? "answers" : "does not answer");
          return TRUE;
        },
        0);
    return 0;
  }
  return 2;
}
