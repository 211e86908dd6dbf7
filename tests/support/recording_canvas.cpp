#include "recording_canvas.h"

#include <cstdio>

namespace corvan {
namespace {

std::string Hex(Argb color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(color));
  return text;
}

std::string Num(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// One formatted string: GCC 12 takes `"(" + std::string` for a copy that overlaps itself
// (-Wrestrict, a false positive) when it inlines it here.
std::string Rect(const RectF& r) {
  char text[128];
  std::snprintf(text, sizeof text, "(%g, %g, %g x %g)", static_cast<double>(r.x), static_cast<double>(r.y),
                static_cast<double>(r.width), static_cast<double>(r.height));
  return text;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::string DescribeBrush(const Brush& brush) {
  if (const auto* solid = std::get_if<SolidBrush>(&brush)) return "solid " + Hex(solid->color);
  if (const auto* gradient = std::get_if<LinearGradientBrush>(&brush)) {
    return "gradient " + Hex(gradient->fromColor) + " to " + Hex(gradient->toColor);
  }
  return "texture";
}

std::string DescribeShape(const Shape& shape) {
  if (const auto* rect = std::get_if<RectF>(&shape)) return "rect " + Rect(*rect);
  if (const auto* rounded = std::get_if<RoundedRect>(&shape)) {
    return "rounded " + Rect(rounded->rect) + " r " + Num(rounded->radius);
  }
  if (const auto* ellipse = std::get_if<Ellipse>(&shape)) return "ellipse " + Rect(ellipse->bounds);
  return "path of " + std::to_string(std::get<Path>(shape).segments().size()) + " segments";
}

std::string DescribePen(const Pen& pen) { return "pen " + Hex(pen.color) + " w " + Num(pen.width); }

struct Describer {
  std::string operator()(const RecordingCanvas::FillCall& c) const {
    return "fill " + DescribeShape(c.shape) + " with " + DescribeBrush(c.brush);
  }
  std::string operator()(const RecordingCanvas::StrokeCall& c) const {
    return "stroke " + DescribeShape(c.shape) + " with " + DescribePen(c.pen);
  }
  std::string operator()(const RecordingCanvas::LineCall& c) const {
    return "line (" + Num(c.from.x) + ", " + Num(c.from.y) + ") to (" + Num(c.to.x) + ", " + Num(c.to.y) + ") with " +
           DescribePen(c.pen);
  }
  std::string operator()(const RecordingCanvas::ImageCall& c) const {
    return "image " + std::to_string(c.imageWidth) + " x " + std::to_string(c.imageHeight) + " into " +
           Rect(c.destination);
  }
  std::string operator()(const RecordingCanvas::MeasureCall& c) const {
    return "measure \"" + Narrow(c.text) + "\" at " + Num(c.font.sizePx) + " px";
  }
  std::string operator()(const RecordingCanvas::TextCall& c) const {
    return "text \"" + Narrow(c.text) + "\" " + Narrow(c.font.family) + " " + Num(c.font.sizePx) + " px in " +
           Rect(c.box) + " with " + DescribeBrush(c.brush);
  }
  std::string operator()(const RecordingCanvas::ClipCall& c) const {
    return "clip " + DescribeShape(c.shape) + " mode " + std::to_string(static_cast<int>(c.mode));
  }
  std::string operator()(const RecordingCanvas::ResetClipCall&) const { return "reset clip"; }
  std::string operator()(const RecordingCanvas::AntiAliasCall& c) const {
    return std::string("anti-alias ") + (c.on ? "on" : "off");
  }
  std::string operator()(const RecordingCanvas::ScaleCall& c) const { return "scale " + Num(c.factor); }
  std::string operator()(const RecordingCanvas::CompositingCall& c) const {
    return c.mode == Compositing::SourceCopy ? "compositing copy" : "compositing over";
  }
  std::string operator()(const RecordingCanvas::ClearCall& c) const { return "clear " + Hex(c.color); }
};

}  // namespace

std::string RecordingCanvas::Describe() const {
  std::string out;
  for (const Call& call : calls_) out += std::visit(Describer{}, call) + "\n";
  return out;
}

void RecordingCanvas::Fill(const Brush& brush, const Shape& shape) { calls_.push_back(FillCall{brush, shape}); }

void RecordingCanvas::Stroke(const Pen& pen, const Shape& shape) { calls_.push_back(StrokeCall{pen, shape}); }

void RecordingCanvas::DrawLine(const Pen& pen, PointF from, PointF to) { calls_.push_back(LineCall{pen, from, to}); }

void RecordingCanvas::DrawImage(const ArgbImage& image, const RectF& destination) {
  calls_.push_back(ImageCall{image.width(), image.height(), destination});
}

SizeF RecordingCanvas::MeasureString(std::wstring_view text, const Font& font, const RectF& layout,
                                     const TextFormat& format) {
  calls_.push_back(MeasureCall{std::wstring(text), font, layout, format});
  if (failMeasuring_) return {};
  return {metrics_.advance * font.sizePx * static_cast<float>(text.size()), metrics_.lineHeight * font.sizePx};
}

void RecordingCanvas::DrawString(std::wstring_view text, const Font& font, const Brush& brush, const RectF& box,
                                 const TextFormat& format) {
  calls_.push_back(TextCall{std::wstring(text), font, brush, box, format});
}

void RecordingCanvas::Clip(const Shape& shape, ClipMode mode) { calls_.push_back(ClipCall{shape, mode}); }

void RecordingCanvas::ResetClip() { calls_.push_back(ResetClipCall{}); }

void RecordingCanvas::SetAntiAlias(bool on) { calls_.push_back(AntiAliasCall{on}); }

void RecordingCanvas::SetCompositing(Compositing mode) { calls_.push_back(CompositingCall{mode}); }
void RecordingCanvas::Scale(float factor) { calls_.push_back(ScaleCall{factor}); }

void RecordingCanvas::Clear(Argb color) { calls_.push_back(ClearCall{color}); }

}  // namespace corvan
