#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "ui/canvas.h"

namespace corvan {

// The canvas on GDI+. On pixels it draws into 32-bit premultiplied memory (a layered window's
// surface, an ArgbImage) anti-aliased; on a device context it is mainly for measuring text the way
// the screen lays it out. GDI+ must have been started by the program.
class GdiplusCanvas final : public Canvas {
 public:
  // Draws straight into premultiplied pixels owned by the caller, rows strideBytes apart.
  GdiplusCanvas(uint8_t* bits, int width, int height, int strideBytes);
  explicit GdiplusCanvas(ArgbImage& image);
  explicit GdiplusCanvas(HDC dc);
  ~GdiplusCanvas() override;
  GdiplusCanvas(const GdiplusCanvas&) = delete;
  GdiplusCanvas& operator=(const GdiplusCanvas&) = delete;

  bool ok() const { return graphics_ && graphics_->GetLastStatus() == Gdiplus::Ok; }
  // Makes sure every drawing step has reached the pixels.
  void Flush();

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
  void SetUp();

  std::unique_ptr<Gdiplus::Bitmap> target_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
};

}  // namespace corvan
