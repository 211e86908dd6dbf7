#include "presenter/cursor_overlay_frames.h"

#include <iterator>

namespace corvan {
namespace {

// First frame of each direction; the ten frames follow it.
constexpr int kFirstFrameImage[] = {131, 191, 171, 181};
// Counts 20 to 23 still show a picture: frames 10 and 11 repeat the last one.
constexpr int32_t kFramesShown = 12;

}  // namespace

std::optional<int> CursorOverlayFrameImage(int32_t direction, int32_t counter) {
  if (direction < 0 || direction >= static_cast<int32_t>(std::size(kFirstFrameImage)) || counter < 0) {
    return std::nullopt;
  }
  const int32_t frame = counter / kOverlayCountsPerFrame;
  if (frame >= kFramesShown) return std::nullopt;
  return kFirstFrameImage[direction] + (frame < kOverlayFrameCount ? frame : kOverlayFrameCount - 1);
}

}  // namespace corvan
