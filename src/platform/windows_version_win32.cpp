#include "platform/windows_version_win32.h"

#include <windows.h>

#include "config/catalogue.h"

namespace corvan {

std::optional<WindowsVersion> ReportedWindowsVersion() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  // The deprecated query is the point: its answer is what the catalogue depends on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool ok = GetVersionExW(&version) != FALSE;
#pragma GCC diagnostic pop
  if (!ok) return std::nullopt;
  return WindowsVersion{version.dwMajorVersion, version.dwMinorVersion};
}

std::optional<WindowsVersion> TrueWindowsVersion() {
  using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto query = ntdll ? reinterpret_cast<RtlGetVersionCall>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                     : nullptr;
  if (!query || query(&version) != 0) return std::nullopt;
  return WindowsVersion{version.dwMajorVersion, version.dwMinorVersion};
}

bool QueryWindows62OrLater() {
  const std::optional<WindowsVersion> version = ReportedWindowsVersion();
  return IsWindows62OrLater(version.has_value(), version ? version->major : 0, version ? version->minor : 0);
}

}  // namespace corvan
