#pragma once

#include <cstdint>

namespace corvan {

// The platform's window messages the portable rules speak of.
inline constexpr uint32_t kMessageMouseMove = 0x0200;
inline constexpr uint32_t kMessageHScroll = 0x0114;
inline constexpr uint32_t kMessageMouseWheel = 0x020A;
inline constexpr uint32_t kMessageMouseHWheel = 0x020E;
// One notch of a wheel, in the units of the wheel messages.
inline constexpr int32_t kWheelNotch = 120;

}  // namespace corvan
