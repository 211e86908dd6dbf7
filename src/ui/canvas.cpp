#include "ui/canvas.h"

namespace corvan {

Path& Path::MoveTo(PointF p) {
  segments_.push_back({Op::MoveTo, {p, {}, {}}});
  return *this;
}

Path& Path::LineTo(PointF p) {
  segments_.push_back({Op::LineTo, {p, {}, {}}});
  return *this;
}

Path& Path::BezierTo(PointF control1, PointF control2, PointF end) {
  segments_.push_back({Op::BezierTo, {control1, control2, end}});
  return *this;
}

Path& Path::Close() {
  segments_.push_back({Op::Close, {}});
  return *this;
}

}  // namespace corvan
