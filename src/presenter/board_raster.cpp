#include "presenter/board_raster.h"

#include <algorithm>
#include <cmath>

namespace corvan {

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return IsEmpty(r) ? Rect{} : r;
}

Rect Union(const Rect& a, const Rect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Rect SquareAround(Point p, int side) {
  const int left = p.x - side / 2;
  const int top = p.y - side / 2;
  return {left, top, left + side, top + side};
}

namespace {

// Paints the stroke and tells `painted` the first and last x it set in each row.
template <typename RowPainted>
Rect PaintStroke(ArgbImage& ink, Point from, Point to, uint32_t premultiplied, int width, RowPainted painted) {
  // In doubled coordinates, so that pixel centres (x + 0.5) are whole numbers.
  const int64_t ax = 2 * int64_t{from.x}, ay = 2 * int64_t{from.y};
  const int64_t bx = 2 * int64_t{to.x}, by = 2 * int64_t{to.y};
  const int64_t radius = width;  // width / 2, doubled
  const int64_t limit = radius * radius;
  const int64_t dx = bx - ax, dy = by - ay;
  const int64_t length2 = dx * dx + dy * dy;

  const int half = (width + 1) / 2;
  const Rect reach{std::min(from.x, to.x) - half, std::min(from.y, to.y) - half, std::max(from.x, to.x) + half + 1,
                   std::max(from.y, to.y) + half + 1};
  const Rect area = Intersect(reach, {0, 0, ink.width(), ink.height()});
  for (int y = area.top; y < area.bottom; ++y) {
    uint32_t* row = ink.Row(y);
    int first = area.right, last = -1;
    const int64_t py = 2 * int64_t{y} + 1;
    for (int x = area.left; x < area.right; ++x) {
      const int64_t px = 2 * int64_t{x} + 1;
      const int64_t t = (px - ax) * dx + (py - ay) * dy;
      bool inside;
      if (length2 == 0 || t <= 0) {
        inside = (px - ax) * (px - ax) + (py - ay) * (py - ay) < limit;
      } else if (t >= length2) {
        inside = (px - bx) * (px - bx) + (py - by) * (py - by) < limit;
      } else {
        const int64_t cross = (px - ax) * dy - (py - ay) * dx;
        // cross^2 / length2 < limit, without the division; long doubles keep the square exact enough.
        inside = static_cast<long double>(cross) * cross < static_cast<long double>(limit) * length2;
      }
      if (inside) {
        row[x] = premultiplied;
        first = std::min(first, x);
        last = x;
      }
    }
    if (last >= 0) painted(y, first, last);
  }
  return area;
}

}  // namespace

Rect PaintInkStroke(ArgbImage& ink, Point from, Point to, uint32_t premultiplied, int width) {
  return PaintStroke(ink, from, to, premultiplied, width, [](int, int, int) {});
}

InkLayer::InkLayer(int width, int height)
    : pixels_(width, height),
      tilesPerRow_((pixels_.width() + kTileWidth - 1) / kTileWidth),
      painted_(static_cast<size_t>(tilesPerRow_) * pixels_.height(), 0) {}

Rect InkLayer::Paint(Point from, Point to, uint32_t premultiplied, int width) {
  return PaintStroke(pixels_, from, to, premultiplied, width, [this](int y, int first, int last) {
    uint8_t* row = painted_.data() + static_cast<size_t>(y) * tilesPerRow_;
    std::fill(row + first / kTileWidth, row + last / kTileWidth + 1, uint8_t{1});
  });
}

void InkLayer::Clear() {
  pixels_.Fill(0);
  std::fill(painted_.begin(), painted_.end(), uint8_t{0});
}

PolygonSpans::PolygonSpans(const std::vector<PathPoint>& outline, int width, int height) {
  Build(outline, width, height);
}

PolygonSpans::PolygonSpans(const std::vector<Point>& outline, int width, int height) {
  std::vector<PathPoint> centres;
  centres.reserve(outline.size());
  // A pointer position names a pixel; the outline runs through its centre.
  for (const Point& p : outline) centres.push_back({p.x + 0.5, p.y + 0.5});
  Build(centres, width, height);
}

void PolygonSpans::Build(const std::vector<PathPoint>& outline, int width, int height) {
  rows_.clear();
  if (outline.size() < 3 || width <= 0 || height <= 0) return;
  double minY = outline[0].y, maxY = outline[0].y;
  for (const PathPoint& p : outline) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  // Rows whose centre y + 0.5 lies in [minY, maxY).
  const int first = std::max(0, static_cast<int>(std::ceil(minY - 0.5)));
  const int last = std::min(height - 1, static_cast<int>(std::ceil(maxY - 0.5)) - 1);
  if (last < first) return;
  top_ = first;
  std::vector<std::vector<double>> crossings(static_cast<size_t>(last - first + 1));
  for (size_t i = 0; i < outline.size(); ++i) {
    const PathPoint a = outline[i];
    const PathPoint b = outline[(i + 1) % outline.size()];
    if (a.y == b.y) continue;
    const PathPoint& low = a.y < b.y ? a : b;
    const PathPoint& high = a.y < b.y ? b : a;
    const int y0 = std::max(first, static_cast<int>(std::ceil(low.y - 0.5)));
    const int y1 = std::min(last, static_cast<int>(std::ceil(high.y - 0.5)) - 1);
    const double slope = (high.x - low.x) / (high.y - low.y);
    for (int y = y0; y <= y1; ++y) crossings[y - first].push_back(low.x + (y + 0.5 - low.y) * slope);
  }
  rows_.resize(crossings.size());
  for (size_t r = 0; r < crossings.size(); ++r) {
    std::vector<double>& xs = crossings[r];
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      // Pixels whose centre x + 0.5 lies in [xs[i], xs[i + 1]).
      const int start = std::clamp(static_cast<int>(std::ceil(xs[i] - 0.5)), 0, width);
      const int end = std::clamp(static_cast<int>(std::ceil(xs[i + 1] - 0.5)), 0, width);
      if (end <= start) continue;
      std::vector<int32_t>& runs = rows_[r];
      if (!runs.empty() && runs.back() >= start) {
        runs.back() = std::max(runs.back(), end);
      } else {
        runs.push_back(start);
        runs.push_back(end);
      }
    }
  }
}

const std::vector<int32_t>& PolygonSpans::RunsInRow(int y) const {
  static const std::vector<int32_t> none;
  if (y < top_ || y >= top_ + static_cast<int>(rows_.size())) return none;
  return rows_[static_cast<size_t>(y - top_)];
}

bool PolygonSpans::Contains(int x, int y) const {
  const std::vector<int32_t>& runs = RunsInRow(y);
  for (size_t i = 0; i + 1 < runs.size(); i += 2) {
    if (x >= runs[i] && x < runs[i + 1]) return true;
  }
  return false;
}

std::vector<PathSegment> RoundedSquarePath(int x, int y, int d, int r) {
  const int h = r / 2;
  auto line = [](Point a, Point b) { return PathSegment{PathSegment::Line, {a, b, {}, {}}}; };
  auto bezier = [](Point a, Point b, Point c, Point e) { return PathSegment{PathSegment::Bezier, {a, b, c, e}}; };
  return {
      line({x + r, y}, {x + d - r, y}),
      bezier({x + d - r, y}, {x + d - h, y}, {x + d, y + h}, {x + d, y + r}),
      line({x + d, y + r}, {x + d, y + d - r}),
      bezier({x + d, y + d - r}, {x + d, y + d - h}, {x + d - h, y + d}, {x + d - r, y + d}),
      line({x + d - r, y + d}, {x + r, y + d}),
      bezier({x + r, y + d}, {x + h, y + d}, {x, y + d - h}, {x, y + d - r}),
      line({x, y + d - r}, {x, y + r}),
      bezier({x, y + r}, {x, y + h}, {x + h, y}, {x + r, y}),
  };
}

std::vector<PathPoint> FlattenPath(const std::vector<PathSegment>& path, int steps) {
  std::vector<PathPoint> points;
  for (const PathSegment& segment : path) {
    const Point* p = segment.points;
    if (segment.kind == PathSegment::Line) {
      points.push_back({double(p[0].x), double(p[0].y)});
      continue;
    }
    for (int i = 0; i < steps; ++i) {
      const double t = double(i) / steps, u = 1 - t;
      const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, e = t * t * t;
      points.push_back({a * p[0].x + b * p[1].x + c * p[2].x + e * p[3].x, a * p[0].y + b * p[1].y + c * p[2].y + e * p[3].y});
    }
  }
  return points;
}

}  // namespace corvan
