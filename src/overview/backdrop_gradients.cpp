#include "overview/backdrop_gradients.h"

namespace corvan {
namespace {

constexpr Argb kFirstOverviewFrom = 0xFF000000;
constexpr Argb kFirstOverviewTo = 0x80000000;
// The panels are over monitors the user is not looking at: a lighter dimming.
constexpr Argb kFirstPanelFrom = 0xFF000000;
constexpr Argb kFirstPanelTo = 0x4A000000;
constexpr Argb kSecondFrom = 0xC8000000;
constexpr Argb kSecondTo = 0x16000000;

int Wrap(int r) { return ((r % 3) + 3) % 3; }

}  // namespace

BackdropGradients ChooseBackdropGradients(BackdropKind kind, int firstR, int secondR, int32_t width, int32_t height) {
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  // Corner to opposite corner: top-left to bottom-right, bottom-left to top-right, or back.
  const PointF firstFrom[3] = {{0, 0}, {0, h}, {w, h}};
  const PointF firstTo[3] = {{w, h}, {w, 0}, {0, 0}};
  // Bottom up, top down, or right to left along the top.
  const PointF secondFrom[3] = {{0, h}, {0, 0}, {w, 0}};
  const PointF secondTo[3] = {{0, 0}, {0, h}, {0, 0}};
  const int a = Wrap(firstR);
  const int b = Wrap(secondR);
  const bool panel = kind == BackdropKind::Panel;
  return {
      {firstFrom[a], firstTo[a], panel ? kFirstPanelFrom : kFirstOverviewFrom, panel ? kFirstPanelTo : kFirstOverviewTo},
      {secondFrom[b], secondTo[b], kSecondFrom, kSecondTo},
  };
}

}  // namespace corvan
