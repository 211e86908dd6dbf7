#include "ui/tip.h"

#include <algorithm>

namespace corvan {
namespace {

constexpr int kTipMarginAt96 = 14;

}  // namespace

TextFormat TipTextFormat() { return {TextAlign::Center, TextAlign::Center, Trimming::Word}; }

TipBounds TipWindowBounds(int x, int y, SizeF measuredText, DisplayScale scale) {
  const double w = measuredText.width;
  const double h = measuredText.height;
  const int margin = scale.Px(kTipMarginAt96);
  // Each value is worked out in floating point and cut toward zero, as the window was placed
  // before: a point left of the screen keeps its tip a pixel further right, never left.
  return {
      static_cast<int>(x - w / 2 - w / 16 - margin),
      static_cast<int>(y - h / 2 - margin),
      static_cast<int>(w + w / 8 + 2 * margin),
      static_cast<int>(h + 2 * margin),
  };
}

SizeF MeasureTipText(Canvas& canvas, std::wstring_view text, int textSize) {
  const Font font{kTahoma, static_cast<float>(TipMeasureFontSize(textSize))};
  return canvas.MeasureString(text, font, kTipMeasureLayout, TipTextFormat());
}

void PaintTip(Canvas& canvas, const ArgbImage* panel, std::wstring_view text, int textSize, int width, int height) {
  const RectF whole{0, 0, static_cast<float>(width), static_cast<float>(height)};
  if (panel && !panel->empty()) canvas.DrawImage(*panel, whole);
  canvas.DrawString(text, Font{kTahoma, static_cast<float>(textSize)}, SolidBrush{kTipTextColor}, whole,
                    TipTextFormat());
}

void TipFade::Show(int displayMs) {
  phase_ = Phase::FadingIn;
  level_ = 0;
  holdTicks_ = std::max(0, displayMs / kTipTickMs);
}

void TipFade::Stop() {
  switch (phase_) {
    case Phase::FadingIn:
    case Phase::Holding:
      // A tip stopped before its first step was never seen: there is nothing to fade.
      phase_ = level_ == 0 ? Phase::Hiding : Phase::FadingOut;
      break;
    case Phase::Hidden:
    case Phase::FadingOut:
    case Phase::Hiding:
      break;
  }
}

void TipFade::Cancel() {
  phase_ = Phase::Hidden;
  level_ = 0;
  holdTicks_ = 0;
}

TipTick TipFade::Step() {
  switch (phase_) {
    case Phase::Hidden:
      return {};
    case Phase::FadingIn:
      level_ = std::min(255, level_ + kTipFadeStep);
      if (level_ == 255) phase_ = Phase::Holding;
      return {TipTick::Action::Present, static_cast<uint8_t>(level_)};
    case Phase::Holding:
      if (holdTicks_ > 0) {
        --holdTicks_;
        return {TipTick::Action::Present, 255};
      }
      phase_ = Phase::FadingOut;
      [[fallthrough]];
    case Phase::FadingOut:
      level_ = std::max(0, level_ - kTipFadeStep);
      if (level_ == 0) phase_ = Phase::Hiding;
      return {TipTick::Action::Present, static_cast<uint8_t>(level_)};
    case Phase::Hiding:
      phase_ = Phase::Hidden;
      return {TipTick::Action::Hide, 0};
  }
  return {};
}

}  // namespace corvan
