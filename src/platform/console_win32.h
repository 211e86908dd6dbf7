#pragma once

#include <windows.h>

#include <string_view>

namespace corvan {

// Text output for a windowed program started from a console: the parent's console when there is
// one, standard output when that is redirected to a file or pipe.
class ConsoleOutput {
 public:
  ConsoleOutput();
  void Print(std::wstring_view text);

 private:
  HANDLE output_ = nullptr;
  bool isConsole_ = false;
};

}  // namespace corvan
