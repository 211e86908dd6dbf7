#include "platform/console_win32.h"

#include <string>

namespace corvan {

ConsoleOutput::ConsoleOutput() {
  output_ = GetStdHandle(STD_OUTPUT_HANDLE);
  const DWORD type = output_ ? GetFileType(output_) : FILE_TYPE_UNKNOWN;
  if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) return;
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    output_ = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    isConsole_ = output_ != INVALID_HANDLE_VALUE;
  }
}

void ConsoleOutput::Print(std::wstring_view text) {
  if (!output_ || output_ == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (isConsole_) {
    WriteConsoleW(output_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  // Redirected: UTF-8, so that scripts can read it.
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr, nullptr);
  WriteFile(output_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace corvan
