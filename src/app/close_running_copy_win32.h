#pragma once

namespace corvan {

// Asks a running copy to close through its close event and waits for its process to end, at most
// ten seconds: once this returns, the copy's events and its executable are free, so an installer
// can replace the file and a new copy starts as the first one. Returns at once when none runs.
void CloseRunningCopyAndWait();

}  // namespace corvan
