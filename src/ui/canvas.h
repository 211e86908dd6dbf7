#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/argb_image.h"

namespace corvan {

struct PointF {
  float x = 0;
  float y = 0;
  bool operator==(const PointF&) const = default;
};

struct SizeF {
  float width = 0;
  float height = 0;
  bool operator==(const SizeF&) const = default;
};

struct RectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  float right() const { return x + width; }
  float bottom() const { return y + height; }
  bool operator==(const RectF&) const = default;
};

// ---- Pens and brushes -------------------------------------------------------------------------

enum class LineCap { Flat, Round, ArrowAnchor };
enum class DashStyle { Solid, Dash, Dot };

struct Pen {
  Argb color = 0xFF000000;
  float width = 1;
  LineCap startCap = LineCap::Flat;
  LineCap endCap = LineCap::Flat;
  DashStyle dash = DashStyle::Solid;
  bool operator==(const Pen&) const = default;
};

struct SolidBrush {
  Argb color = 0xFF000000;
  bool operator==(const SolidBrush&) const = default;
};

// Colours blend from `from` to `to` along the line between them and repeat beyond it.
struct LinearGradientBrush {
  PointF from;
  PointF to;
  Argb fromColor = 0;
  Argb toColor = 0;
  bool operator==(const LinearGradientBrush&) const = default;
};

// The image repeated in both directions, one copy's top-left corner at `origin`. The image must
// outlive the draw call.
struct TextureBrush {
  const ArgbImage* image = nullptr;
  PointF origin;
  bool operator==(const TextureBrush&) const = default;
};

using Brush = std::variant<SolidBrush, LinearGradientBrush, TextureBrush>;

// ---- Shapes -----------------------------------------------------------------------------------

struct RoundedRect {
  RectF rect;
  float radius = 0;
  bool operator==(const RoundedRect&) const = default;
};

struct Ellipse {
  RectF bounds;
  bool operator==(const Ellipse&) const = default;
};

// Figures of straight lines and cubic Béziers. A figure starts at MoveTo; Close joins it to its start.
class Path {
 public:
  enum class Op { MoveTo, LineTo, BezierTo, Close };
  struct Segment {
    Op op = Op::MoveTo;
    // MoveTo and LineTo use points[0]; BezierTo uses both control points, then the end point.
    PointF points[3] = {};
    bool operator==(const Segment&) const = default;
  };

  Path& MoveTo(PointF p);
  Path& LineTo(PointF p);
  Path& BezierTo(PointF control1, PointF control2, PointF end);
  Path& Close();
  const std::vector<Segment>& segments() const { return segments_; }
  bool operator==(const Path&) const = default;

 private:
  std::vector<Segment> segments_;
};

using Shape = std::variant<RectF, RoundedRect, Ellipse, Path>;

// ---- Text -------------------------------------------------------------------------------------

inline constexpr wchar_t kTahoma[] = L"Tahoma";
inline constexpr wchar_t kArial[] = L"Arial";

// A family in the regular style at a size in pixels. A family the system lacks is replaced by its
// generic sans-serif family at the same size.
struct Font {
  std::wstring family = kTahoma;
  float sizePx = 12;
  bool operator==(const Font&) const = default;
};

enum class TextAlign { Near, Center, Far };
enum class Trimming { None, Word, EllipsisCharacter };

struct TextFormat {
  TextAlign horizontal = TextAlign::Near;
  TextAlign vertical = TextAlign::Near;
  Trimming trimming = Trimming::None;
  bool oneLine = false;  // never wrapped: a text too long for its box is trimmed on its line
  bool operator==(const TextFormat&) const = default;
};

// ---- The canvas -------------------------------------------------------------------------------

enum class ClipMode { Replace, Intersect, Exclude };
enum class Compositing { SourceOver, SourceCopy };

// What the windows draw with. Colours are straight ARGB; the surface behind it keeps 32-bit
// premultiplied pixels. A step that fails (a missing font, an empty image) is skipped and drawing
// goes on.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void Fill(const Brush& brush, const Shape& shape) = 0;
  virtual void Stroke(const Pen& pen, const Shape& shape) = 0;
  virtual void DrawLine(const Pen& pen, PointF from, PointF to) = 0;
  // The whole image stretched over `destination`.
  virtual void DrawImage(const ArgbImage& image, const RectF& destination) = 0;
  // The size of the text's bounding box as DrawString would lay it out in `layout`.
  virtual SizeF MeasureString(std::wstring_view text, const Font& font, const RectF& layout,
                              const TextFormat& format) = 0;
  virtual void DrawString(std::wstring_view text, const Font& font, const Brush& brush, const RectF& box,
                          const TextFormat& format) = 0;
  virtual void Clip(const Shape& shape, ClipMode mode) = 0;
  virtual void ResetClip() = 0;
  virtual void SetAntiAlias(bool on) = 0;
  virtual void SetCompositing(Compositing mode) = 0;
  // From here on every length drawn or measured is multiplied by `factor`, a display's scale: the
  // drawing code keeps its numbers at 96 DPI and the text is still drawn at the size it shows.
  virtual void Scale(float factor) = 0;
  // Every pixel of the surface (within the clip) becomes the colour, alpha included.
  virtual void Clear(Argb color) = 0;

  void FillRectangle(const Brush& brush, const RectF& rect) { Fill(brush, rect); }
  void DrawRectangle(const Pen& pen, const RectF& rect) { Stroke(pen, rect); }
  void DrawImage(const ArgbImage& image, PointF at) {
    DrawImage(image, RectF{at.x, at.y, static_cast<float>(image.width()), static_cast<float>(image.height())});
  }
};

}  // namespace corvan
