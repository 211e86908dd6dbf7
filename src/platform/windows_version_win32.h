#pragma once

namespace corvan {

// Whether the system answers the version query as 6.2 or later within major version 6 (which it
// also does on later versions for programs that declare no later compatibility).
bool QueryWindows62OrLater();

}  // namespace corvan
