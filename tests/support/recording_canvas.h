#pragma once

#include <string>
#include <variant>
#include <vector>

#include "ui/canvas.h"

namespace corvan {

// A canvas that draws nothing and keeps every call, for checking a painter's geometry, colours and
// order. Text is measured with fixed metrics: each character advances `advance` times the font
// size, a line is `lineHeight` times the font size, and nothing wraps.
class RecordingCanvas : public Canvas {
 public:
  struct FillCall { Brush brush; Shape shape; bool operator==(const FillCall&) const = default; };
  struct StrokeCall { Pen pen; Shape shape; bool operator==(const StrokeCall&) const = default; };
  struct LineCall { Pen pen; PointF from; PointF to; bool operator==(const LineCall&) const = default; };
  struct ImageCall {
    int imageWidth = 0;
    int imageHeight = 0;
    RectF destination;
    bool operator==(const ImageCall&) const = default;
  };
  struct MeasureCall {
    std::wstring text;
    Font font;
    RectF layout;
    TextFormat format;
    bool operator==(const MeasureCall&) const = default;
  };
  struct TextCall {
    std::wstring text;
    Font font;
    Brush brush;
    RectF box;
    TextFormat format;
    bool operator==(const TextCall&) const = default;
  };
  struct ClipCall { Shape shape; ClipMode mode; bool operator==(const ClipCall&) const = default; };
  struct ResetClipCall { bool operator==(const ResetClipCall&) const = default; };
  struct AntiAliasCall { bool on; bool operator==(const AntiAliasCall&) const = default; };
  struct CompositingCall { Compositing mode; bool operator==(const CompositingCall&) const = default; };
  struct ScaleCall { float factor; bool operator==(const ScaleCall&) const = default; };
  struct ClearCall { Argb color; bool operator==(const ClearCall&) const = default; };

  using Call = std::variant<FillCall, StrokeCall, LineCall, ImageCall, MeasureCall, TextCall, ClipCall,
                            ResetClipCall, AntiAliasCall, CompositingCall, ScaleCall, ClearCall>;

  struct TextMetrics {
    float advance = 0.5f;
    float lineHeight = 1.25f;
  };

  RecordingCanvas() = default;
  explicit RecordingCanvas(TextMetrics metrics) : metrics_(metrics) {}

  const std::vector<Call>& calls() const { return calls_; }
  // The calls as one line each, for failure messages.
  std::string Describe() const;

  // When set, MeasureString answers 0 x 0, as a canvas without the font does.
  void FailMeasuring(bool fail) { failMeasuring_ = fail; }

  void Fill(const Brush& brush, const Shape& shape) override;
  void Stroke(const Pen& pen, const Shape& shape) override;
  void DrawLine(const Pen& pen, PointF from, PointF to) override;
  void DrawImage(const ArgbImage& image, const RectF& destination) override;
  using Canvas::DrawImage;
  SizeF MeasureString(std::wstring_view text, const Font& font, const RectF& layout, const TextFormat& format) override;
  void DrawString(std::wstring_view text, const Font& font, const Brush& brush, const RectF& box,
                  const TextFormat& format) override;
  void Clip(const Shape& shape, ClipMode mode) override;
  void ResetClip() override;
  void SetAntiAlias(bool on) override;
  void SetCompositing(Compositing mode) override;
  void Scale(float factor) override;
  void Clear(Argb color) override;

 private:
  TextMetrics metrics_;
  bool failMeasuring_ = false;
  std::vector<Call> calls_;
};

}  // namespace corvan
