// A hook library that makes the program crash: SetHook starts a thread of the program's that
// writes through a null pointer, as a fault anywhere in the program would.
#include <windows.h>

namespace {

DWORD WINAPI Crash(LPVOID) {
  *static_cast<volatile int*>(nullptr) = 1;
  return 0;
}

}  // namespace

extern "C" __declspec(dllexport) int SetHook(void*, int, const wchar_t*, int) {
  if (HANDLE thread = CreateThread(nullptr, 0, Crash, nullptr, 0, nullptr)) CloseHandle(thread);
  return 1;
}
