#pragma once

#include <cstdint>
#include <optional>

namespace corvan {

struct WindowsVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
};

// What the system tells a program that declares no later compatibility: 6.2 on every version from
// 6.2 on. The catalogue depends on this answer.
std::optional<WindowsVersion> ReportedWindowsVersion();
// The kernel's own answer, true on every version: what the system can really do depends on it.
std::optional<WindowsVersion> TrueWindowsVersion();

// Whether the system answers the version query as 6.2 or later within major version 6 (which it
// also does on later versions for programs that declare no later compatibility).
bool QueryWindows62OrLater();

}  // namespace corvan
