#include "presenter/board_compose.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvan {
namespace {

constexpr int kOutlineWidth = 2;
// A dash is three pen widths long and the gap one.
constexpr int kDashOn = 3 * kOutlineWidth;
constexpr int kDashPeriod = 4 * kOutlineWidth;

bool DashOn(int along) { return ((along % kDashPeriod) + kDashPeriod) % kDashPeriod < kDashOn; }

#if defined(__SSE2__)
// Four pixels' channels widened to 16 bits, times the factors, divided by 255 with rounding.
// (p + 128) * 257 >> 16 is p / 255 rounded for every p up to 255 * 255.
inline __m128i ScaleWide(__m128i channels, __m128i factors) {
  const __m128i product = _mm_add_epi16(_mm_mullo_epi16(channels, factors), _mm_set1_epi16(128));
  return _mm_mulhi_epu16(product, _mm_set1_epi16(257));
}

// Each channel of four pixels times one factor.
inline __m128i ScaleFour(__m128i pixels, __m128i factor) {
  const __m128i zero = _mm_setzero_si128();
  return _mm_packus_epi16(ScaleWide(_mm_unpacklo_epi8(pixels, zero), factor),
                          ScaleWide(_mm_unpacklo_epi8(_mm_srli_si128(pixels, 8), zero), factor));
}

// Four premultiplied pixels over four others.
inline __m128i OverFour(__m128i source, __m128i destination) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(255);
  const __m128i low = _mm_unpacklo_epi8(source, zero);
  const __m128i high = _mm_unpackhi_epi8(source, zero);
  // Each pixel's alpha in all four of its 16-bit lanes.
  const __m128i keepLow = _mm_sub_epi16(full, _mm_shufflehi_epi16(_mm_shufflelo_epi16(low, 0xFF), 0xFF));
  const __m128i keepHigh = _mm_sub_epi16(full, _mm_shufflehi_epi16(_mm_shufflelo_epi16(high, 0xFF), 0xFF));
  const __m128i scaled = _mm_packus_epi16(ScaleWide(_mm_unpacklo_epi8(destination, zero), keepLow),
                                          ScaleWide(_mm_unpackhi_epi8(destination, zero), keepHigh));
  return _mm_add_epi8(source, scaled);
}
#endif

// `line` holds the pixels of one row from x = origin on.
void DarkenRun(uint32_t* line, int origin, int from, int to) {
  uint32_t* row = line - origin;
  const uint32_t dark = Premultiply(kDarkening);
  const uint32_t keep = 255u - AlphaOf(kDarkening);
  int x = from;
#if defined(__SSE2__)
  const __m128i darkFour = _mm_set1_epi32(static_cast<int>(dark));
  const __m128i keepFour = _mm_set1_epi16(static_cast<int16_t>(keep));
  for (; x + 4 <= to; x += 4) {
    auto* at = reinterpret_cast<__m128i*>(row + x);
    _mm_storeu_si128(at, _mm_add_epi8(darkFour, ScaleFour(_mm_loadu_si128(at), keepFour)));
  }
#endif
  for (; x < to; ++x) row[x] = dark + ScaleChannels(row[x], keep);
}

// The picture with the ink over it; where there is no ink, the picture as it is. All three start
// at the same x.
void BlendInkRow(uint32_t* out, const uint32_t* picture, const uint32_t* ink, int count) {
  const int from = 0, to = count;
  int x = from;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; x + 4 <= to; x += 4) {
    const __m128i strokes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ink + x));
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(picture + x));
    const bool noInk = _mm_movemask_epi8(_mm_cmpeq_epi32(strokes, zero)) == 0xFFFF;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), noInk ? below : OverFour(strokes, below));
  }
#endif
  for (; x < to; ++x) out[x] = Over(ink[x], picture[x]);
}

// Darkens the row's pixels in [left, right) that the runs (pairs of start and end) leave out.
void DarkenOutsideRuns(uint32_t* line, int left, int right, const int32_t* runs, size_t count) {
  int x = left;
  for (size_t i = 0; i + 1 < count && x < right; i += 2) {
    if (runs[i + 1] <= x) continue;
    DarkenRun(line, left, x, std::min(right, static_cast<int>(runs[i])));
    x = std::max(x, static_cast<int>(runs[i + 1]));
  }
  if (x < right) DarkenRun(line, left, x, right);
}

// Wide rows go to the frame past the caches: the frame is only read again by the system.
constexpr int kStreamFromPixels = 512;

void StoreRow(uint32_t* out, const uint32_t* line, int count) {
#if defined(__SSE2__)
  if (count >= kStreamFromPixels) {
    int i = 0;
    for (; i < count && (reinterpret_cast<uintptr_t>(out + i) & 15) != 0; ++i) out[i] = line[i];
    for (; i + 4 <= count; i += 4) {
      _mm_stream_si128(reinterpret_cast<__m128i*>(out + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + i)));
    }
    for (; i < count; ++i) out[i] = line[i];
    return;
  }
#endif
  std::memcpy(out, line, static_cast<size_t>(count) * 4);
}

// out = the darkening over in, for count pixels; wide runs go past the caches.
void DarkenCopy(uint32_t* out, const uint32_t* in, int count) {
  const uint32_t dark = Premultiply(kDarkening);
  const uint32_t keep = 255u - AlphaOf(kDarkening);
  int i = 0;
#if defined(__SSE2__)
  const __m128i darkFour = _mm_set1_epi32(static_cast<int>(dark));
  const __m128i keepFour = _mm_set1_epi16(static_cast<int16_t>(keep));
  const bool stream = count >= kStreamFromPixels;
  for (; stream && i < count && (reinterpret_cast<uintptr_t>(out + i) & 15) != 0; ++i) {
    out[i] = dark + ScaleChannels(in[i], keep);
  }
  for (; i + 4 <= count; i += 4) {
    const __m128i darkened =
        _mm_add_epi8(darkFour, ScaleFour(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), keepFour));
    if (stream) {
      _mm_stream_si128(reinterpret_cast<__m128i*>(out + i), darkened);
    } else {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), darkened);
    }
  }
#endif
  for (; i < count; ++i) out[i] = dark + ScaleChannels(in[i], keep);
}

// Calls clear(from, to) and darken(from, to) for the stretches of [left, right) inside and
// outside the runs (pairs of start and end, in order).
template <typename Clear, typename Darken>
void SplitByRuns(int left, int right, const int32_t* runs, size_t count, Clear clear, Darken darken) {
  int x = left;
  for (size_t i = 0; i + 1 < count && x < right; i += 2) {
    const int start = std::clamp(static_cast<int>(runs[i]), x, right);
    const int end = std::clamp(static_cast<int>(runs[i + 1]), x, right);
    if (start > x) darken(x, start);
    if (end > start) clear(start, end);
    x = std::max(x, end);
  }
  if (x < right) darken(x, right);
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

namespace {

// The row's stretch [left, right) of the picture with the ink over it, into line.
void ComposeInkRow(uint32_t* line, const ArgbImage& capture, const InkLayer& ink, int y, int left, int right) {
  const uint32_t* picture = capture.Row(y);
  const uint32_t* strokes = ink.pixels().Row(y);
  for (int x = left; x < right;) {
    // Runs of stretches with and without ink.
    const bool inked = ink.TileMayHoldInk(x / InkLayer::kTileWidth, y);
    int end = std::min(right, (x / InkLayer::kTileWidth + 1) * InkLayer::kTileWidth);
    while (end < right && ink.TileMayHoldInk(end / InkLayer::kTileWidth, y) == inked) {
      end = std::min(right, end + InkLayer::kTileWidth);
    }
    if (inked) {
      BlendInkRow(line + (x - left), picture + x, strokes + x, end - x);
    } else {
      StoreRow(line + (x - left), picture + x, end - x);
    }
    x = end;
  }
}

}  // namespace

void ComposeBoard(const PixelTarget& target, Rect dirty, const ArgbImage* capture, const InkLayer* ink,
                  const BoardOverlay& overlay) {
  Rect clip = Intersect(dirty, {0, 0, target.width, target.height});
  if (capture) clip = Intersect(clip, {0, 0, capture->width(), capture->height()});
  if (IsEmpty(clip)) return;
  const bool withInk = capture && ink && ink->pixels().width() >= clip.right && ink->pixels().height() >= clip.bottom;
  // Each row is made in a small line that stays in the cache, then stored once.
  const int count = clip.right - clip.left;
  std::vector<uint32_t> buffer(static_cast<size_t>(count));
  uint32_t* line = buffer.data();
  for (int y = clip.top; y < clip.bottom; ++y) {
    if (overlay.darken == BoardOverlay::Darken::None) {
      // Nothing to do to the row after: straight into the frame.
      uint32_t* out = target.Row(y) + clip.left;
      if (withInk) {
        ComposeInkRow(out, *capture, *ink, y, clip.left, clip.right);
      } else if (capture) {
        StoreRow(out, capture->Row(y) + clip.left, count);
      } else {
        std::fill(out, out + count, 0u);
      }
      continue;
    }
    const int32_t* runs = nullptr;
    size_t runCount = 0;
    int32_t rectRuns[2] = {overlay.clearRect.left, overlay.clearRect.right};
    if (overlay.darken == BoardOverlay::Darken::OutsideRect) {
      if (y >= overlay.clearRect.top && y < overlay.clearRect.bottom) {
        runs = rectRuns;
        runCount = 2;
      }
    } else if (overlay.clearSpans) {
      const std::vector<int32_t>& spans = overlay.clearSpans->RunsInRow(y);
      runs = spans.data();
      runCount = spans.size();
    }
    if (!withInk) {
      // The snap modes and the spotlight: each stretch is made once, straight into the frame.
      uint32_t* out = target.Row(y);
      const uint32_t* picture = capture ? capture->Row(y) : nullptr;
      const uint32_t dark = Premultiply(kDarkening);
      SplitByRuns(
          clip.left, clip.right, runs, runCount,
          [&](int from, int to) {
            if (picture) {
              StoreRow(out + from, picture + from, to - from);
            } else {
              std::fill(out + from, out + to, 0u);
            }
          },
          [&](int from, int to) {
            if (picture) {
              DarkenCopy(out + from, picture + from, to - from);
            } else {
              std::fill(out + from, out + to, dark);
            }
          });
      continue;
    }
    if (withInk) {
      ComposeInkRow(line, *capture, *ink, y, clip.left, clip.right);
    } else if (capture) {
      std::memcpy(line, capture->Row(y) + clip.left, static_cast<size_t>(count) * 4);
    } else {
      std::fill(line, line + count, 0u);
    }
    switch (overlay.darken) {
      case BoardOverlay::Darken::None:
        break;
      case BoardOverlay::Darken::OutsideRect: {
        const Rect& keep = overlay.clearRect;
        if (y < keep.top || y >= keep.bottom) {
          DarkenRun(line, clip.left, clip.left, clip.right);
        } else {
          const int32_t runs[2] = {keep.left, keep.right};
          DarkenOutsideRuns(line, clip.left, clip.right, runs, 2);
        }
        break;
      }
      case BoardOverlay::Darken::OutsideSpans:
        if (overlay.clearSpans) {
          const std::vector<int32_t>& runs = overlay.clearSpans->RunsInRow(y);
          DarkenOutsideRuns(line, clip.left, clip.right, runs.data(), runs.size());
        } else {
          DarkenRun(line, clip.left, clip.left, clip.right);
        }
        break;
    }
    StoreRow(target.Row(y) + clip.left, line, count);
  }
#if defined(__SSE2__)
  _mm_sfence();
#endif
  if (overlay.pointerMark) DrawPointerMark(target, clip, overlay.pointer, overlay.colorIndex);
  if (overlay.outline == BoardOverlay::Outline::Rect) DrawDashedRect(target, clip, overlay.outlineRect);
  if (overlay.outline == BoardOverlay::Outline::Polyline && overlay.outlinePoints) {
    DrawDashedPolyline(target, clip, *overlay.outlinePoints);
  }
}

}  // namespace corvan
