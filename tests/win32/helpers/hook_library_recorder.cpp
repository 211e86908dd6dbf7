// A stand-in for the optional hook library: records every SetHook call in "SetHook.log" beside
// itself, one line per call, so a test can check the arguments and that it was called once.
#include <windows.h>

#include <cstdio>

#include "mainwindow/hook_library_abi.h"

namespace {

HMODULE selfModule = nullptr;

}  // namespace

extern "C" __declspec(dllexport) int SetHook(void* boardWindow, int enable, const wchar_t* tag, int option) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(selfModule, path, MAX_PATH);
  wchar_t* slash = wcsrchr(path, L'\\');
  if (slash) slash[1] = 0;
  wcscat(path, L"SetHook.log");
  FILE* log = _wfopen(path, L"a");
  if (!log) return 0;
  std::fprintf(log, "window=%s enable=%d tag=%ls option=%d\n", IsWindow(static_cast<HWND>(boardWindow)) ? "board" : "none",
               enable, tag ? tag : L"(null)", option);
  std::fclose(log);
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) selfModule = instance;
  return TRUE;
}
