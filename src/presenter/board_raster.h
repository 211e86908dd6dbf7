#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "ui/argb_image.h"

namespace corvan {

// Writable 32-bit premultiplied pixels that someone else may own (a layered window's DIB section,
// an ArgbImage), rows strideBytes apart, top row first.
struct PixelTarget {
  uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int strideBytes = 0;

  uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(bits + static_cast<ptrdiff_t>(y) * strideBytes); }
  static PixelTarget Of(ArgbImage& image) { return {image.bytes(), image.width(), image.height(), image.strideBytes()}; }
};

// Each channel of a pixel times factor / 255, rounded, two channels per multiplication and no
// division: the loops that use it vectorise.
inline uint32_t ScaleChannels(uint32_t pixel, uint32_t factor) {
  uint32_t rb = (pixel & 0x00FF00FFu) * factor + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t ag = ((pixel >> 8) & 0x00FF00FFu) * factor + 0x00800080u;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return rb | ag;
}

// Premultiplied source over premultiplied destination.
inline uint32_t Over(uint32_t source, uint32_t destination) {
  return source + ScaleChannels(destination, 255u - (source >> 24));
}

Rect Intersect(const Rect& a, const Rect& b);
Rect Union(const Rect& a, const Rect& b);  // an empty rectangle adds nothing
inline bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
// The square of side `side` centred on p (left/top at p - side / 2).
Rect SquareAround(Point p, int side);

// Sets every pixel whose centre lies closer than width / 2 to the segment from-to to exactly
// `premultiplied` (source copy: overlapping strokes never add up, and 0 erases). A stroke whose ends
// coincide is a round dot. Returns the rectangle of pixels it may have changed, clipped to the image.
Rect PaintInkStroke(ArgbImage& ink, Point from, Point to, uint32_t premultiplied, int width);

// The highlighter's strokes, with a note of which 64-pixel stretches of each row have ever been
// painted: composing skips the rest without reading it, so a few strokes cost little more than
// the picture alone.
class InkLayer {
 public:
  static constexpr int kTileWidth = 64;

  InkLayer() = default;
  InkLayer(int width, int height);

  Rect Paint(Point from, Point to, uint32_t premultiplied, int width);
  void Clear();  // fully transparent again

  const ArgbImage& pixels() const { return pixels_; }
  bool empty() const { return pixels_.empty(); }
  bool TileMayHoldInk(int tile, int y) const { return painted_[static_cast<size_t>(y) * tilesPerRow_ + tile] != 0; }

 private:
  ArgbImage pixels_;
  int tilesPerRow_ = 0;
  std::vector<uint8_t> painted_;
};

// A point of an outline in pixel coordinates (pixel x covers x to x + 1).
struct PathPoint {
  double x = 0;
  double y = 0;
};

// Which pixels lie inside a closed outline under the alternate (even-odd) rule, taken at pixel
// centres, as runs per row. The outline is closed from its last point back to its first.
class PolygonSpans {
 public:
  PolygonSpans() = default;
  PolygonSpans(const std::vector<PathPoint>& outline, int width, int height);
  PolygonSpans(const std::vector<Point>& outline, int width, int height);

  // Runs [start, end) of inside pixels in row y, in order; none outside the outline's rows.
  const std::vector<int32_t>& RunsInRow(int y) const;
  bool Contains(int x, int y) const;
  bool empty() const { return rows_.empty(); }

 private:
  void Build(const std::vector<PathPoint>& outline, int width, int height);

  int top_ = 0;
  std::vector<std::vector<int32_t>> rows_;  // pairs of start and end, per row from top_
};

// The spotlight's rounded square of side d with corner size r at (x, y), as one closed outline of
// lines and cubic Bézier corners; halves truncate, r = 0 gives square corners.
struct PathSegment {
  enum Kind { Line, Bezier };
  Kind kind = Line;
  Point points[4];  // a line uses the first two
};
std::vector<PathSegment> RoundedSquarePath(int x, int y, int d, int r);
// The outline flattened to points, each Bézier into `steps` lines.
std::vector<PathPoint> FlattenPath(const std::vector<PathSegment>& path, int steps = 16);

}  // namespace corvan
