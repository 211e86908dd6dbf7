#pragma once

#include <string>
#include <string_view>

namespace corvan {

struct CommandLineSwitches {
  bool hide = false;
  bool close = false;
  bool reset = false;
  bool diagnose = false;
  bool list = false;
  bool restore = false;
  bool run = false;
  bool help = false;  // "/?", "/help" or "-h" as a word of its own
  std::wstring runName;  // the argument of /run, as given (quotes removed)

  bool operator==(const CommandLineSwitches&) const = default;
};

// The whole command line, program path included, is compared case-insensitively, and a switch
// counts only where it is found past position 0 (a command line that starts with "/hide" is
// a program called "/hide", not the switch). "/run" takes the argument after it: a quoted text
// (which may hold blanks) or the word up to the next blank; that argument is never read as a
// switch, so `/run "/close"` closes nothing.
CommandLineSwitches ScanSwitches(std::wstring_view commandLine);

// What /? prints: every switch, one line each.
std::wstring SwitchesHelp();

}  // namespace corvan
