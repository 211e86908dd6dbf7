#pragma once

#include <windows.h>

#include <functional>

namespace corvan {

// Runs `action` with this thread's input attached to the thread of `window`, and that window's
// process allowed to take the foreground: the system lets only the foreground's owner move it.
void WithInputOf(HWND window, const std::function<void()>& action);

// Lets the window's process take the foreground, for instance back from a pop-up of ours.
inline void AllowForegroundTo(HWND window) { WithInputOf(window, [] {}); }

}  // namespace corvan
