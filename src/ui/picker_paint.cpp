#include "ui/picker_paint.h"

namespace corvan {
namespace {

constexpr Argb kShadowColour = 0x00101010;
constexpr Argb kFieldColour = 0x5A202020;
constexpr Argb kTextColour = 0xFAFFFFFF;
constexpr Argb kHoverFrom = 0xC8BEBEBE;
constexpr Argb kHoverTo = 0xB4A0A0A0;
constexpr Argb kTriangleColour = 0xFA000000;
constexpr Argb kCurrentColour = 0xFF3FC8FF;
constexpr float kCurrentDot = 8;
constexpr float kCurrentDotRight = 34;  // from the list's right edge, left of a group's triangle
constexpr Argb kSeparatorLight = 0x6F7A7A7A;
constexpr Argb kSeparatorDark = 0x6F202020;
constexpr float kIconColumn = 36;
constexpr float kIconX = 8;
constexpr float kLabelX = 40;
constexpr float kLabelSize = 18;
constexpr float kEmptyTextSize = 20;

float F(int32_t value) { return static_cast<float>(value); }

// A rounded rectangle from corner to corner, given the width of its corner ellipse.
RoundedRect Rounded(float left, float top, float right, float bottom, float cornerEllipse) {
  return {{left, top, right - left, bottom - top}, cornerEllipse / 2};
}

void DrawCentredIcon(Canvas& canvas, ImageLoader& images, int id, float rowTop) {
  if (id == 0) return;
  if (const ArgbImage* icon = images.Load(id)) {
    const float zoom = F(images.zoom() > 0 ? images.zoom() : 1);
    const float w = F(icon->width()) / zoom, h = F(icon->height()) / zoom;
    canvas.DrawImage(*icon, RectF{kIconX, rowTop + (kPickerRowHeight - h) / 2, w, h});
  }
}

void PaintRow(Canvas& canvas, const PickerPaintState& state, ImageLoader& images, const _QxItemListDB& row, bool hovered,
              float y) {
  const float w = F(state.width);
  if (row.kind == kKindTall) {
    canvas.DrawLine(Pen{kSeparatorLight, 1}, {kLabelX, y + 8}, {w - 10, y + 8});
    canvas.DrawLine(Pen{kSeparatorDark, 1}, {kLabelX, y + 9}, {w - 10, y + 9});
    return;
  }
  if (hovered) {
    canvas.Fill(LinearGradientBrush{{5, y + 5}, {w, y + 3 + kPickerRowHeight}, kHoverFrom, kHoverTo},
                Rounded(5, y + 5, w - 6, y + 3 + kPickerRowHeight, 2));
  }
  if (row.kind == kKindGroup) {
    DrawCentredIcon(canvas, images, state.groupMarkerImage, y + kPickerInset);
    const float c = y + 3 + kPickerRowHeight / 2.0f;
    canvas.Fill(SolidBrush{kTriangleColour},
                Path().MoveTo({w - 12, c}).LineTo({w - 20, c + 5}).LineTo({w - 20, c - 5}).Close());
  } else {
    DrawCentredIcon(canvas, images, row.icon, y + kPickerInset);
  }
  const bool current = row.kind == kKindGroup ? state.currentGroup != 0 && row.code == state.currentGroup
                                             : state.currentIndex >= 0 && row.index == state.currentIndex;
  if (current) {
    const float c = y + 3 + kPickerRowHeight / 2.0f;
    canvas.Fill(SolidBrush{kCurrentColour}, Ellipse{RectF{w - kCurrentDotRight, c - kCurrentDot / 2, kCurrentDot, kCurrentDot}});
  }
  canvas.DrawString(row.label, Font{kArial, kLabelSize}, SolidBrush{kTextColour},
                    RectF{kLabelX, y + kPickerInset, w - 41, kPickerRowHeight},
                    TextFormat{TextAlign::Near, TextAlign::Center, Trimming::Word});
}

}  // namespace

void PaintPicker(Canvas& canvas, const PickerPaintState& state, ImageLoader& images) {
  const float w = F(state.width);
  const float h = F(state.height);
  canvas.SetAntiAlias(true);
  for (int k = 0; k < 4; ++k) {
    const auto alpha = static_cast<Argb>(16 * (k + 1)) << 24;
    canvas.Fill(SolidBrush{alpha | kShadowColour}, Rounded(F(k), F(k), w - 1 - F(k), h - 1 - F(k), F(7 - k)));
  }
  canvas.Clip(Rounded(4, 4, w - 5, h - 5, 3), ClipMode::Replace);
  if (const ArgbImage* texture = images.Load(kPickerTextureImage)) {
    canvas.Fill(TextureBrush{texture, {0, 0}}, RectF{0, 0, w, h});
  }
  canvas.Fill(SolidBrush{kFieldColour}, RectF{kIconColumn, 0, w - 32, h});

  if (state.fullListEmpty || !state.rows) {
    canvas.DrawString(L"No item", Font{kTahoma, kEmptyTextSize}, SolidBrush{kTextColour}, RectF{0, 0, w, h},
                      TextFormat{TextAlign::Near, TextAlign::Center, Trimming::None});
  } else {
    const PickerRows& rows = *state.rows;
    const auto count = static_cast<int32_t>(rows.size());
    int32_t r = state.firstRow < 0 ? 0 : state.firstRow;
    float y = F(state.offset);
    // The row above the first one slides in from above while the offset is positive.
    if (r > 0 && r <= count) {
      --r;
      y -= F(PickerRowHeight(rows[static_cast<size_t>(r)]));
    }
    for (; r < count; ++r) {
      const _QxItemListDB& row = rows[static_cast<size_t>(r)];
      PaintRow(canvas, state, images, row, r == state.hoveredRow, y);
      y += F(PickerRowHeight(row));
      if (y > h - kPickerInset) break;
    }
  }
  canvas.ResetClip();
}

}  // namespace corvan
