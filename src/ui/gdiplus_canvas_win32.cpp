#include "ui/gdiplus_canvas_win32.h"

#include <algorithm>
#include <string>

namespace corvan {
namespace {

Gdiplus::Color ToColor(Argb color) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(color)); }
Gdiplus::PointF ToPoint(PointF p) { return Gdiplus::PointF(p.x, p.y); }
Gdiplus::RectF ToRect(const RectF& r) { return Gdiplus::RectF(r.x, r.y, r.width, r.height); }

// GDI+ only reads the pixels of a source image, but its constructor takes them as writable.
std::unique_ptr<Gdiplus::Bitmap> WrapImage(const ArgbImage& image) {
  return std::make_unique<Gdiplus::Bitmap>(image.width(), image.height(), image.strideBytes(),
                                           PixelFormat32bppPARGB, const_cast<BYTE*>(image.bytes()));
}

// A brush and the image a texture brush reads.
struct GdiplusBrush {
  std::unique_ptr<Gdiplus::Bitmap> image;
  std::unique_ptr<Gdiplus::Brush> brush;
  bool ok() const { return brush && brush->GetLastStatus() == Gdiplus::Ok; }
};

GdiplusBrush MakeBrush(const Brush& brush) {
  GdiplusBrush out;
  if (const auto* solid = std::get_if<SolidBrush>(&brush)) {
    out.brush = std::make_unique<Gdiplus::SolidBrush>(ToColor(solid->color));
  } else if (const auto* gradient = std::get_if<LinearGradientBrush>(&brush)) {
    out.brush = std::make_unique<Gdiplus::LinearGradientBrush>(
        ToPoint(gradient->from), ToPoint(gradient->to), ToColor(gradient->fromColor), ToColor(gradient->toColor));
  } else if (const auto* texture = std::get_if<TextureBrush>(&brush); texture && texture->image &&
                                                                      !texture->image->empty()) {
    out.image = WrapImage(*texture->image);
    auto textureBrush = std::make_unique<Gdiplus::TextureBrush>(out.image.get(), Gdiplus::WrapModeTile);
    textureBrush->TranslateTransform(texture->origin.x, texture->origin.y);
    out.brush = std::move(textureBrush);
  }
  return out;
}

Gdiplus::LineCap ToCap(LineCap cap) {
  switch (cap) {
    case LineCap::Round:
      return Gdiplus::LineCapRound;
    case LineCap::ArrowAnchor:
      return Gdiplus::LineCapArrowAnchor;
    case LineCap::Flat:
      break;
  }
  return Gdiplus::LineCapFlat;
}

std::unique_ptr<Gdiplus::Pen> MakePen(const Pen& pen) {
  auto out = std::make_unique<Gdiplus::Pen>(ToColor(pen.color), pen.width);
  out->SetStartCap(ToCap(pen.startCap));
  out->SetEndCap(ToCap(pen.endCap));
  switch (pen.dash) {
    case DashStyle::Dash:
      out->SetDashStyle(Gdiplus::DashStyleDash);
      break;
    case DashStyle::Dot:
      out->SetDashStyle(Gdiplus::DashStyleDot);
      break;
    case DashStyle::Solid:
      break;
  }
  return out;
}

void AddRoundedRect(Gdiplus::GraphicsPath& path, const RoundedRect& shape) {
  const RectF& r = shape.rect;
  const float radius = std::clamp(shape.radius, 0.0f, std::min(r.width, r.height) / 2);
  if (radius <= 0) {
    path.AddRectangle(ToRect(r));
    return;
  }
  const float d = radius * 2;
  path.AddArc(r.x, r.y, d, d, 180, 90);
  path.AddArc(r.right() - d, r.y, d, d, 270, 90);
  path.AddArc(r.right() - d, r.bottom() - d, d, d, 0, 90);
  path.AddArc(r.x, r.bottom() - d, d, d, 90, 90);
  path.CloseFigure();
}

void AddPath(Gdiplus::GraphicsPath& out, const Path& path) {
  Gdiplus::PointF current;
  for (const Path::Segment& segment : path.segments()) {
    switch (segment.op) {
      case Path::Op::MoveTo:
        out.StartFigure();
        current = ToPoint(segment.points[0]);
        break;
      case Path::Op::LineTo:
        out.AddLine(current, ToPoint(segment.points[0]));
        current = ToPoint(segment.points[0]);
        break;
      case Path::Op::BezierTo:
        out.AddBezier(current, ToPoint(segment.points[0]), ToPoint(segment.points[1]), ToPoint(segment.points[2]));
        current = ToPoint(segment.points[2]);
        break;
      case Path::Op::Close:
        out.CloseFigure();
        break;
    }
  }
}

std::unique_ptr<Gdiplus::GraphicsPath> MakePath(const Shape& shape) {
  auto path = std::make_unique<Gdiplus::GraphicsPath>();
  if (const auto* rect = std::get_if<RectF>(&shape)) {
    path->AddRectangle(ToRect(*rect));
  } else if (const auto* rounded = std::get_if<RoundedRect>(&shape)) {
    AddRoundedRect(*path, *rounded);
  } else if (const auto* ellipse = std::get_if<Ellipse>(&shape)) {
    path->AddEllipse(ToRect(ellipse->bounds));
  } else {
    AddPath(*path, std::get<Path>(shape));
  }
  return path;
}

Gdiplus::StringAlignment ToAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::Center:
      return Gdiplus::StringAlignmentCenter;
    case TextAlign::Far:
      return Gdiplus::StringAlignmentFar;
    case TextAlign::Near:
      break;
  }
  return Gdiplus::StringAlignmentNear;
}

void ApplyFormat(Gdiplus::StringFormat& out, const TextFormat& format) {
  out.SetAlignment(ToAlignment(format.horizontal));
  out.SetLineAlignment(ToAlignment(format.vertical));
  if (format.oneLine) out.SetFormatFlags(out.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap);
  switch (format.trimming) {
    case Trimming::Word:
      out.SetTrimming(Gdiplus::StringTrimmingWord);
      break;
    case Trimming::EllipsisCharacter:
      out.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
      break;
    case Trimming::None:
      out.SetTrimming(Gdiplus::StringTrimmingNone);
      break;
  }
}

std::unique_ptr<Gdiplus::Font> MakeFont(const Font& font) {
  const std::wstring family(font.family);
  Gdiplus::FontFamily named(family.c_str());
  if (named.GetLastStatus() == Gdiplus::Ok) {
    return std::make_unique<Gdiplus::Font>(&named, font.sizePx, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  }
  return std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), font.sizePx,
                                         Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
}

Gdiplus::CombineMode ToCombineMode(ClipMode mode) {
  switch (mode) {
    case ClipMode::Intersect:
      return Gdiplus::CombineModeIntersect;
    case ClipMode::Exclude:
      return Gdiplus::CombineModeExclude;
    case ClipMode::Replace:
      break;
  }
  return Gdiplus::CombineModeReplace;
}

}  // namespace

GdiplusCanvas::GdiplusCanvas(uint8_t* bits, int width, int height, int strideBytes)
    : target_(std::make_unique<Gdiplus::Bitmap>(width, height, strideBytes, PixelFormat32bppPARGB, bits)) {
  if (target_->GetLastStatus() == Gdiplus::Ok) graphics_ = std::make_unique<Gdiplus::Graphics>(target_.get());
  SetUp();
}

GdiplusCanvas::GdiplusCanvas(ArgbImage& image)
    : GdiplusCanvas(image.bytes(), image.width(), image.height(), image.strideBytes()) {}

GdiplusCanvas::GdiplusCanvas(HDC dc) : graphics_(std::make_unique<Gdiplus::Graphics>(dc)) { SetUp(); }

GdiplusCanvas::~GdiplusCanvas() { Flush(); }

void GdiplusCanvas::SetUp() {
  if (!graphics_) return;
  graphics_->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  // Grey-scale anti-aliasing: sub-pixel (ClearType) text needs an opaque background to blend with,
  // and these surfaces are mostly transparent.
  graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
  graphics_->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
}

void GdiplusCanvas::Scale(float factor) {
  if (graphics_) graphics_->ScaleTransform(factor, factor);
}

void GdiplusCanvas::Flush() {
  if (graphics_) graphics_->Flush(Gdiplus::FlushIntentionSync);
}

void GdiplusCanvas::Fill(const Brush& brush, const Shape& shape) {
  if (!graphics_) return;
  const GdiplusBrush b = MakeBrush(brush);
  if (!b.ok()) return;
  if (const auto* rect = std::get_if<RectF>(&shape)) {
    graphics_->FillRectangle(b.brush.get(), ToRect(*rect));
  } else if (const auto* ellipse = std::get_if<Ellipse>(&shape)) {
    graphics_->FillEllipse(b.brush.get(), ToRect(ellipse->bounds));
  } else {
    const auto path = MakePath(shape);
    graphics_->FillPath(b.brush.get(), path.get());
  }
}

void GdiplusCanvas::Stroke(const Pen& pen, const Shape& shape) {
  if (!graphics_) return;
  const auto p = MakePen(pen);
  if (p->GetLastStatus() != Gdiplus::Ok) return;
  if (const auto* rect = std::get_if<RectF>(&shape)) {
    graphics_->DrawRectangle(p.get(), ToRect(*rect));
  } else if (const auto* ellipse = std::get_if<Ellipse>(&shape)) {
    graphics_->DrawEllipse(p.get(), ToRect(ellipse->bounds));
  } else {
    const auto path = MakePath(shape);
    graphics_->DrawPath(p.get(), path.get());
  }
}

void GdiplusCanvas::DrawLine(const Pen& pen, PointF from, PointF to) {
  if (!graphics_) return;
  const auto p = MakePen(pen);
  if (p->GetLastStatus() == Gdiplus::Ok) graphics_->DrawLine(p.get(), ToPoint(from), ToPoint(to));
}

void GdiplusCanvas::DrawImage(const ArgbImage& image, const RectF& destination) {
  if (!graphics_ || image.empty()) return;
  const auto source = WrapImage(image);
  // Mirrored edges: a stretched image would otherwise fade into the transparent pixels that lie
  // outside it along its border.
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  graphics_->DrawImage(source.get(), ToRect(destination), 0, 0, static_cast<Gdiplus::REAL>(image.width()),
                       static_cast<Gdiplus::REAL>(image.height()), Gdiplus::UnitPixel, &attributes);
}

SizeF GdiplusCanvas::MeasureString(std::wstring_view text, const Font& font, const RectF& layout,
                                   const TextFormat& format) {
  if (!graphics_) return {};
  const auto f = MakeFont(font);
  Gdiplus::StringFormat stringFormat;
  ApplyFormat(stringFormat, format);
  Gdiplus::RectF box;
  const std::wstring copy(text);
  if (graphics_->MeasureString(copy.c_str(), static_cast<INT>(copy.size()), f.get(), ToRect(layout), &stringFormat,
                               &box) != Gdiplus::Ok) {
    return {};
  }
  return {box.Width, box.Height};
}

void GdiplusCanvas::DrawString(std::wstring_view text, const Font& font, const Brush& brush, const RectF& box,
                               const TextFormat& format) {
  if (!graphics_) return;
  const GdiplusBrush b = MakeBrush(brush);
  if (!b.ok()) return;
  const auto f = MakeFont(font);
  Gdiplus::StringFormat stringFormat;
  ApplyFormat(stringFormat, format);
  const std::wstring copy(text);
  graphics_->DrawString(copy.c_str(), static_cast<INT>(copy.size()), f.get(), ToRect(box), &stringFormat,
                        b.brush.get());
}

void GdiplusCanvas::Clip(const Shape& shape, ClipMode mode) {
  if (!graphics_) return;
  if (const auto* rect = std::get_if<RectF>(&shape)) {
    graphics_->SetClip(ToRect(*rect), ToCombineMode(mode));
    return;
  }
  const auto path = MakePath(shape);
  graphics_->SetClip(path.get(), ToCombineMode(mode));
}

void GdiplusCanvas::ResetClip() {
  if (graphics_) graphics_->ResetClip();
}

void GdiplusCanvas::SetAntiAlias(bool on) {
  if (graphics_) graphics_->SetSmoothingMode(on ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
}

void GdiplusCanvas::SetCompositing(Compositing mode) {
  if (!graphics_) return;
  graphics_->SetCompositingMode(mode == Compositing::SourceCopy ? Gdiplus::CompositingModeSourceCopy
                                                                : Gdiplus::CompositingModeSourceOver);
}

void GdiplusCanvas::Clear(Argb color) {
  if (graphics_) graphics_->Clear(ToColor(color));
}

}  // namespace corvan
