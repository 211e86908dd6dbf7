#pragma once

#include <cstdint>
#include <optional>

namespace corvan {

// The gesture animation runs while the follower counts from 0 to 24, two counts per frame.
inline constexpr int32_t kOverlayFrameCount = 10;
inline constexpr int32_t kOverlayCountsPerFrame = 2;

// The image resource the cursor overlay shows for a gesture direction (0 up, 1 down, 2 left,
// 3 right) at a value of the animation counter; nothing once the animation is over. The last
// frame is held for the closing counts.
std::optional<int> CursorOverlayFrameImage(int32_t direction, int32_t counter);

}  // namespace corvan
