#pragma once

#include <windows.h>

#include "core/function_runner.h"

namespace corvan {

// Takes the copied-data blocks other processes send the main window: a later copy's /run.
class CopiedDataHandler {
 public:
  virtual ~CopiedDataHandler() = default;
  // The window's answer; 0 for a block it does not take. `busy`: the program cannot run a function
  // now. Runs on the main window's thread.
  virtual LRESULT OnCopiedData(const COPYDATASTRUCT& data, bool busy, FunctionRunner& runner) = 0;
};

}  // namespace corvan
