#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

#include "device/device_events.h"
#include "device/raw_input_layout.h"

namespace corvan {

using RawInputBuffer = std::array<uint8_t, kRawInputSizeLimit>;

// Reads one raw-input message into `buffer`: the size is asked first, messages of 1000 bytes or
// more are left unread, and a read that returns another size is ignored.
RawInputView ReadRawInput(HRAWINPUT handle, RawInputBuffer& buffer);
// The same read for the window that listens to the keyboard: the key, or nothing for other input.
std::optional<RawKeyView> ReadRawKey(HRAWINPUT handle, RawInputBuffer& buffer);

}  // namespace corvan
