#include "app/command_line.h"

#include <string>

namespace corvan {
namespace {

std::wstring LowerAscii(std::wstring_view text) {
  std::wstring lowered(text);
  for (wchar_t& c : lowered) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lowered;
}

bool FoundPastStart(const std::wstring& text, std::wstring_view sw) {
  const size_t at = text.find(sw);
  return at != std::wstring::npos && at > 0;
}

}  // namespace

CommandLineSwitches ScanSwitches(std::wstring_view commandLine) {
  const std::wstring lowered = LowerAscii(commandLine);
  CommandLineSwitches switches;
  switches.hide = FoundPastStart(lowered, L"/hide");
  switches.close = FoundPastStart(lowered, L"/close");
  switches.reset = FoundPastStart(lowered, L"/reset");
  switches.diagnose = FoundPastStart(lowered, L"/diagnose");
  return switches;
}

}  // namespace corvan
