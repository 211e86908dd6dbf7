#include "platform/windows_version_win32.h"

#include <windows.h>

#include "config/catalogue.h"

namespace corvan {

bool QueryWindows62OrLater() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  // The deprecated query is the point: its answer is what the catalogue depends on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool ok = GetVersionExW(&version) != FALSE;
#pragma GCC diagnostic pop
  return IsWindows62OrLater(ok, version.dwMajorVersion, version.dwMinorVersion);
}

}  // namespace corvan
