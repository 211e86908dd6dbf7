#pragma once

// The optional hook library "QxHOOK.DLL" beside the program. The program calls one export once at
// start-up and expects nothing back:
//
//   int SetHook(void* boardWindow, int enable, const wchar_t* tag, int option);
//
// boardWindow is the presenter board's window handle, enable is 1, tag is a fixed five-character
// text that the library copies if it wants to keep it (the pointer is valid only during the
// call), option is 13. Plain C linkage, default calling convention of the platform.

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*QxSetHookFunction)(void* boardWindow, int enable, const wchar_t* tag, int option);

#ifdef __cplusplus
}
#endif

#define QX_HOOK_LIBRARY_NAME L"QxHOOK.DLL"
#define QX_HOOK_EXPORT_NAME "SetHook"
#define QX_HOOK_TAG L"x24gw"
#define QX_HOOK_ENABLE 1
#define QX_HOOK_OPTION 13
