#include "presenter/cursor_overlay_frames.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

TEST(CursorOverlayFrames, TwoCountsPerFrameTheLastHeldThenNothing) {
  struct Row { int32_t direction; int32_t counter; std::optional<int> image; };
  const Row rows[] = {
      {0, 0, 131},  {0, 1, 131},  {0, 2, 132},  {0, 17, 139}, {0, 18, 140}, {0, 23, 140}, {0, 24, {}},
      {1, 0, 191},  {1, 19, 200}, {1, 22, 200}, {1, 24, {}},
      {2, 0, 171},  {2, 5, 173},  {2, 21, 180},
      {3, 0, 181},  {3, 18, 190}, {3, 23, 190}, {3, 25, {}},
      {0, 1000, {}},
      {4, 0, {}}, {-1, 0, {}}, {0, -2, {}},  // never set; nothing rather than a stray resource
  };
  for (const Row& r : rows) {
    EXPECT_EQ(CursorOverlayFrameImage(r.direction, r.counter), r.image) << r.direction << " at " << r.counter;
  }
}

}  // namespace
}  // namespace corvan
