// A hook library that lacks the SetHook export: the program must skip it silently.
#include <windows.h>

extern "C" __declspec(dllexport) int SomethingElse() { return 0; }
