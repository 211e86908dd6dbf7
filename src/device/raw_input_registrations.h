#pragma once

#include <cstdint>

namespace corvan {

struct RawInputRegistration {
  uint16_t usagePage;
  uint16_t usage;
};

// Every mouse (for routing) and the receivers' four vendor collections; all registered with the
// input-sink flag so reports arrive while another application has the focus.
inline constexpr RawInputRegistration kRawInputRegistrations[] = {
    {0x0001, 0x0002},
    {0xFF12, 0x0001},
    {0xFF29, 0x0001},
    {0xFF31, 0x0001},
    {0xFF18, 0x0001},
};

}  // namespace corvan
