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

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The argument that starts at `at` (blanks before it skipped) and where it ends.
std::wstring_view ArgumentAt(std::wstring_view line, size_t& at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at < line.size() && line[at] == L'"') {
    const size_t close = line.find(L'"', at + 1);
    const size_t end = close == std::wstring_view::npos ? line.size() : close;
    const std::wstring_view argument = line.substr(at + 1, end - at - 1);
    at = close == std::wstring_view::npos ? line.size() : close + 1;
    return argument;
  }
  const size_t start = at;
  while (at < line.size() && !IsBlank(line[at])) ++at;
  return line.substr(start, at - start);
}

}  // namespace

CommandLineSwitches ScanSwitches(std::wstring_view commandLine) {
  std::wstring lowered = LowerAscii(commandLine);
  CommandLineSwitches switches;
  constexpr std::wstring_view kRun = L"/run";
  const size_t run = lowered.find(kRun);
  if (run != std::wstring::npos && run > 0) {
    switches.run = true;
    size_t end = run + kRun.size();
    switches.runName = std::wstring(ArgumentAt(commandLine, end));
    // The name is the function's, not the program's: none of it counts as a switch.
    lowered.replace(run, end - run, end - run, L' ');
  }
  switches.hide = FoundPastStart(lowered, L"/hide");
  switches.close = FoundPastStart(lowered, L"/close");
  switches.reset = FoundPastStart(lowered, L"/reset");
  switches.diagnose = FoundPastStart(lowered, L"/diagnose");
  switches.list = FoundPastStart(lowered, L"/list");
  switches.restore = FoundPastStart(lowered, L"/restore");
  // Unlike the other switches, help must be a word of its own: "-h" is part of many a path.
  size_t at = 0;
  ArgumentAt(lowered, at);  // the program
  while (at < lowered.size()) {
    const std::wstring_view word = ArgumentAt(lowered, at);
    if (word == L"/?" || word == L"/help" || word == L"-h") switches.help = true;
  }
  return switches;
}

std::wstring SwitchesHelp() {
  return L"CorvanAssistant [switch]\n"
         L"  (none)      starts the program, or shows the window of the copy that runs\n"
         L"  /hide       starts the program with its window hidden\n"
         L"  /close      ends the running copy and returns once it has ended\n"
         L"  /reset      clears the stored choices (the next start uses the factory assignment)\n"
         L"  /restore    ends the running copy and puts every receiver back in its native state\n"
         L"  /run NAME   has the running copy run a function: its label, English label or number\n"
         L"  /list       lists every function: number, label, group and what it does\n"
         L"  /diagnose   lists the HID interfaces and which receiver family each is\n"
         L"  /?, /help   shows this\n"
         L"/run exits with 0 when the function ran, 1 when no copy runs, 2 when no function has that\n"
         L"name, 3 when the running copy is busy.\n";
}

}  // namespace corvan
