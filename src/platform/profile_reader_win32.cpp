#include "platform/profile_reader_win32.h"

#include <windows.h>

namespace corvan {
namespace {

// Room for the longest value the language file's reader may give, and the terminating NUL.
constexpr DWORD kValueBuffer = kProfileValueLength + 1;

}  // namespace

std::wstring Win32ProfileReader::Read(std::wstring_view section, std::wstring_view key, std::wstring_view absent) {
  const std::wstring sectionName(section);
  const std::wstring keyName(key);
  const std::wstring absentValue(absent);
  wchar_t value[kValueBuffer] = {};
  const DWORD length = GetPrivateProfileStringW(sectionName.c_str(), keyName.c_str(), absentValue.c_str(), value,
                                                kValueBuffer, path_.c_str());
  return std::wstring(value, length < kValueBuffer ? length : kValueBuffer - 1);
}

}  // namespace corvan
