#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace corvan {

// A stored setting as the load reads it: whatever the value's type, its bytes are read into four
// bytes. A longer value cannot be read (nothing); a shorter one fills the low bytes, the rest 0.
std::optional<uint32_t> SettingFromStoredBytes(std::span<const uint8_t> bytes);

}  // namespace corvan
