#include "overview/overview_paint.h"

namespace corvan {
namespace {

constexpr Argb kNoPictureFrom = 0xFF406090;
constexpr Argb kNoPictureTo = 0xFF203048;
constexpr Argb kTitleBox = 0x90202020;
constexpr Argb kTitleText = 0xFFFFFFFF;
constexpr Argb kSelectionFrame = 0x60FFFFFF;
constexpr float kSelectionFrameWidth = 5;
constexpr Argb kBadgeBack = 0xC844507D;
constexpr float kTitleInset = 4;

RectF ToRectF(const Rect& r) {
  return {static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right - r.left),
          static_cast<float>(r.bottom - r.top)};
}

void PaintPicture(Canvas& canvas, const Rect& rect, const ArgbImage* snapshot) {
  if (snapshot && !snapshot->empty()) {
    canvas.DrawImage(*snapshot, ToRectF(rect));
    return;
  }
  canvas.Fill(LinearGradientBrush{{static_cast<float>(rect.left), static_cast<float>(rect.top)},
                                  {static_cast<float>(rect.right), static_cast<float>(rect.bottom)},
                                  kNoPictureFrom, kNoPictureTo},
              ToRectF(rect));
}

void PaintTitle(Canvas& canvas, const Rect& rect, std::wstring_view title, const Font& font, DisplayScale scale) {
  const float inset = kTitleInset * scale.Factor();
  const RectF box{rect.left + inset, rect.top + inset, rect.right - rect.left - 2 * inset, rect.bottom - rect.top - 2 * inset};
  const TextFormat format{TextAlign::Center, TextAlign::Far, Trimming::EllipsisCharacter};
  if (!title.empty()) {
    const SizeF measured = canvas.MeasureString(title, font, box, format);
    // Where the format puts the text in its box: centred, on the bottom edge.
    canvas.Fill(SolidBrush{kTitleBox},
                RectF{box.x + (box.width - measured.width) / 2, box.bottom() - measured.height, measured.width,
                      measured.height});
  }
  canvas.DrawString(title, font, SolidBrush{kTitleText}, box, format);
}

void PaintBadge(Canvas& canvas, int32_t index, const Rect& rect, const OverlayState& state, OverviewIcons& icons) {
  if (!icons.HasIcon(index)) return;
  const float left = static_cast<float>(rect.left);
  const float top = static_cast<float>(rect.top);
  const float width = static_cast<float>(state.iconWidth + 6);
  const float height = static_cast<float>(state.iconHeight + 6);
  canvas.Clip(RoundedRect{{left - 3, top - 3, width, height}, 3}, ClipMode::Replace);
  canvas.Fill(SolidBrush{kBadgeBack}, RectF{left - 3, top - 3, width, height});
  canvas.ResetClip();
  icons.DrawIcon(index, {rect.left, rect.top});
}

void PaintSelectionFrame(Canvas& canvas, const Rect& rect) {
  const float left = static_cast<float>(rect.left);
  const float top = static_cast<float>(rect.top);
  const float width = static_cast<float>(rect.right - rect.left);
  const float height = static_cast<float>(rect.bottom - rect.top);
  canvas.Clip(RoundedRect{{left - 5, top - 5, width + 11, height + 11}, 2}, ClipMode::Replace);
  canvas.Stroke(Pen{kSelectionFrame, kSelectionFrameWidth}, RectF{left - 4, top - 4, width + 7, height + 7});
  canvas.ResetClip();
}

}  // namespace

std::wstring ShortTitle(std::wstring_view title) {
  if (title.size() <= kShortTitleChars) return std::wstring(title);
  return std::wstring(title.substr(0, kShortTitleChars)) + L"...";
}

Font OverviewTitleFont(int32_t windowCount, DisplayScale scale) {
  return Font{kTahoma, (windowCount < 10 ? 16.0f : 14.0f) * scale.Factor()};
}

void PaintItemsAtRest(Canvas& canvas, const std::vector<Rect>& targets, const std::vector<OverviewItemView>& items,
                      DisplayScale scale) {
  canvas.SetAntiAlias(true);
  const Font font = OverviewTitleFont(static_cast<int32_t>(items.size()), scale);
  for (size_t i = 0; i < items.size() && i < targets.size(); ++i) {
    PaintPicture(canvas, targets[i], items[i].snapshot);
    PaintTitle(canvas, targets[i], ShortTitle(items[i].title), font, scale);
  }
}

void PaintOverlay(Canvas& canvas, const OverlayState& state, const std::vector<OverviewItemView>& items,
                  OverviewIcons& icons) {
  if (!state.shown || !state.growth) return;
  const Font font = OverviewTitleFont(static_cast<int32_t>(items.size()), state.scale);
  for (size_t i = 0; i < items.size() && i < state.shown->size() && i < state.growth->size(); ++i) {
    const int32_t index = static_cast<int32_t>(i);
    const Rect& rect = (*state.shown)[i];
    const Growth& growth = (*state.growth)[i];
    if (growth.x <= 0 && growth.y <= 0) {
      if (!state.composition) PaintBadge(canvas, index, rect, state, icons);
      continue;
    }
    if (index == state.selected) PaintSelectionFrame(canvas, rect);
    if (state.composition) continue;
    PaintPicture(canvas, rect, items[i].snapshot);
    PaintTitle(canvas, rect, items[i].title, font, state.scale);
    PaintBadge(canvas, index, rect, state, icons);
  }
}

}  // namespace corvan
