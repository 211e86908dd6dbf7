#pragma once

namespace corvan {

// Every receiver present gets the exit sequence: the settings with no side button reassigned and
// the program not running, then the reset. Used by /restore and when the program crashes; it
// takes a lock of its own, since a crashed thread may hold the program's.
void RestoreReceiversNow();

// /restore: a running copy is asked to close (its own close sequence restores the receivers too)
// and waited for, at most a few seconds; then the exit sequence goes out from here.
void CloseRunningCopyAndRestoreReceivers();

}  // namespace corvan
