#include "presenter/board_compose.h"

#include <algorithm>
#include <cstdlib>

namespace corvan {
namespace {

constexpr int kOutlineWidth = 2;
// A dash is three pen widths long and the gap one.
constexpr int kDashOn = 3 * kOutlineWidth;
constexpr int kDashPeriod = 4 * kOutlineWidth;

bool DashOn(int along) { return ((along % kDashPeriod) + kDashPeriod) % kDashPeriod < kDashOn; }

void DarkenRun(uint32_t* row, int from, int to) {
  const uint32_t dark = Premultiply(kDarkening);
  const uint32_t keep = 255u - AlphaOf(kDarkening);
  for (int x = from; x < to; ++x) row[x] = dark + ScaleChannels(row[x], keep);
}

// Darkens the row's pixels in [left, right) that the runs (pairs of start and end) leave out.
void DarkenOutsideRuns(uint32_t* row, int left, int right, const int32_t* runs, size_t count) {
  int x = left;
  for (size_t i = 0; i + 1 < count && x < right; i += 2) {
    if (runs[i + 1] <= x) continue;
    DarkenRun(row, x, std::min(right, static_cast<int>(runs[i])));
    x = std::max(x, static_cast<int>(runs[i + 1]));
  }
  if (x < right) DarkenRun(row, x, right);
}

void BlendPixel(const PixelTarget& target, const Rect& clip, int x, int y, uint32_t premultiplied) {
  if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return;
  uint32_t& pixel = target.Row(y)[x];
  pixel = Over(premultiplied, pixel);
}

void DrawPointerMark(const PixelTarget& target, const Rect& clip, Point centre, int colorIndex) {
  const uint32_t fill = Premultiply(kMarkFillColours[colorIndex]);
  const uint32_t ring = Premultiply(kMarkRingColours[colorIndex]);
  // Doubled coordinates: the fill reaches radius 6, the 4-pixel ring is centred on radius 8.
  const Rect area = Intersect(SquareAround(centre, 20), clip);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const int dx = 2 * x + 1 - 2 * centre.x, dy = 2 * y + 1 - 2 * centre.y;
      const int d2 = dx * dx + dy * dy;
      if (d2 < 12 * 12) {
        if (fill) BlendPixel(target, clip, x, y, fill);
      } else if (d2 < 20 * 20) {
        BlendPixel(target, clip, x, y, ring);
      }
    }
  }
}

// Two pixels wide, straddling each edge of the rectangle.
void DrawDashedRect(const PixelTarget& target, const Rect& clip, const Rect& r) {
  const uint32_t colour = Premultiply(kOutlineColour);
  for (int x = r.left - 1; x <= r.right; ++x) {
    if (!DashOn(x - r.left)) continue;
    for (int y : {r.top - 1, r.top, r.bottom - 1, r.bottom}) BlendPixel(target, clip, x, y, colour);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    if (!DashOn(y - r.top)) continue;
    for (int x : {r.left - 1, r.left, r.right - 1, r.right}) BlendPixel(target, clip, x, y, colour);
  }
}

void DrawDashedPolyline(const PixelTarget& target, const Rect& clip, const std::vector<Point>& points) {
  const uint32_t colour = Premultiply(kOutlineColour);
  int along = 0;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const Point a = points[i], b = points[i + 1];
    const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    // Segments that cannot reach the clip only advance the dash pattern.
    if (IsEmpty(Intersect(OutlineSegmentReach(a, b), clip))) {
      along += steps;
      continue;
    }
    for (int s = 0; s < steps; ++s, ++along) {
      if (!DashOn(along)) continue;
      const int x = a.x + (b.x - a.x) * s / steps, y = a.y + (b.y - a.y) * s / steps;
      for (int oy = -1; oy <= 0; ++oy) {
        for (int ox = -1; ox <= 0; ++ox) BlendPixel(target, clip, x + ox, y + oy, colour);
      }
    }
  }
}

}  // namespace

Rect OutlineSegmentReach(Point from, Point to) {
  return {std::min(from.x, to.x) - 1, std::min(from.y, to.y) - 1, std::max(from.x, to.x) + 1, std::max(from.y, to.y) + 1};
}

void ComposeBoard(const PixelTarget& target, Rect dirty, const ArgbImage* capture, const ArgbImage* ink,
                  const BoardOverlay& overlay) {
  Rect clip = Intersect(dirty, {0, 0, target.width, target.height});
  if (capture) clip = Intersect(clip, {0, 0, capture->width(), capture->height()});
  if (IsEmpty(clip)) return;
  const bool withInk = capture && ink && ink->width() >= clip.right && ink->height() >= clip.bottom;
  for (int y = clip.top; y < clip.bottom; ++y) {
    uint32_t* out = target.Row(y);
    if (withInk) {
      const uint32_t* picture = capture->Row(y);
      const uint32_t* strokes = ink->Row(y);
      for (int x = clip.left; x < clip.right; ++x) out[x] = Over(strokes[x], picture[x]);
    } else if (capture) {
      std::copy(capture->Row(y) + clip.left, capture->Row(y) + clip.right, out + clip.left);
    } else {
      std::fill(out + clip.left, out + clip.right, 0u);
    }
    switch (overlay.darken) {
      case BoardOverlay::Darken::None:
        break;
      case BoardOverlay::Darken::OutsideRect: {
        const Rect& keep = overlay.clearRect;
        if (y < keep.top || y >= keep.bottom) {
          DarkenRun(out, clip.left, clip.right);
        } else {
          const int32_t runs[2] = {keep.left, keep.right};
          DarkenOutsideRuns(out, clip.left, clip.right, runs, 2);
        }
        break;
      }
      case BoardOverlay::Darken::OutsideSpans:
        if (overlay.clearSpans) {
          const std::vector<int32_t>& runs = overlay.clearSpans->RunsInRow(y);
          DarkenOutsideRuns(out, clip.left, clip.right, runs.data(), runs.size());
        } else {
          DarkenRun(out, clip.left, clip.right);
        }
        break;
    }
  }
  if (overlay.pointerMark) DrawPointerMark(target, clip, overlay.pointer, overlay.colorIndex);
  if (overlay.outline == BoardOverlay::Outline::Rect) DrawDashedRect(target, clip, overlay.outlineRect);
  if (overlay.outline == BoardOverlay::Outline::Polyline && overlay.outlinePoints) {
    DrawDashedPolyline(target, clip, *overlay.outlinePoints);
  }
}

}  // namespace corvan
