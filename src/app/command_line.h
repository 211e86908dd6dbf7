#pragma once

#include <string_view>

namespace corvan {

struct CommandLineSwitches {
  bool hide = false;
  bool close = false;
  bool reset = false;
  bool diagnose = false;

  bool operator==(const CommandLineSwitches&) const = default;
};

// The whole command line, program path included, is compared case-insensitively, and a switch
// counts only where it is found past position 0 (a command line that starts with "/hide" is
// a program called "/hide", not the switch).
CommandLineSwitches ScanSwitches(std::wstring_view commandLine);

}  // namespace corvan
