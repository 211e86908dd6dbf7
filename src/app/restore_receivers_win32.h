#pragma once

#include <atomic>
#include <cstdint>

#include "config/assignments.h"

namespace corvan {

// Every receiver present gets the exit sequence: the settings with no side button reassigned and
// the program not running, then the reset. Used by /restore and when the program crashes; it
// takes a lock of its own, since a crashed thread may hold the program's.
void RestoreReceiversNow();

// From now on an unhandled exception in any thread first restores the receivers (for at most 2 s,
// on a thread of its own), then goes on to the system's crash handling. The program's settings are
// made neutral first, so that a push still under way in another thread sends nothing reassigned.
void RestoreReceiversOnCrash(Assignments& assignments, std::atomic<int32_t>& shuttingDown);

// /restore: a running copy is asked to close (its own close sequence restores the receivers too)
// and waited for, at most a few seconds; then the exit sequence goes out from here.
void CloseRunningCopyAndRestoreReceivers();

}  // namespace corvan
