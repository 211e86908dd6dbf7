#pragma once

#include <windows.h>

namespace corvan {

// Creates the close event with its two-entry access list (Everyone and Administrators, each with
// all event rights) so that copies of the program can pulse it. Set-up failures print a line to
// standard output and start-up goes on.
HANDLE CreateCloseEventWithAccessList(const wchar_t* name);

}  // namespace corvan
