#pragma once

#include <string>

namespace corvan {

struct RunOutcome {
  int exitCode = 0;   // 0 ran, 1 no copy runs, 2 the name names nothing, 3 the copy was busy
  std::wstring line;  // what the user is told
};

// A later copy's /run: checks the name, hands it to the running copy's main window and waits a
// bounded time for the answer. Creates nothing: no key, no event, no window.
RunOutcome SendRunRequest(const std::wstring& name, bool windows62);

}  // namespace corvan
