#pragma once

#include <cstdint>

namespace corvan {

// The presenter board's modes; the catalogue's presenter functions toggle the four that are on.
inline constexpr int32_t kBoardOff = 0;
inline constexpr int32_t kBoardHighlighter = 1;
inline constexpr int32_t kBoardSnapFreeForm = 2;
inline constexpr int32_t kBoardSnapRectangle = 3;
inline constexpr int32_t kBoardSpotlight = 4;

}  // namespace corvan
