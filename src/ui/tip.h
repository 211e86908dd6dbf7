#pragma once

#include <cstdint>
#include <string_view>

#include "core/display_scale.h"
#include "ui/argb_image.h"
#include "ui/canvas.h"

namespace corvan {

inline constexpr int kTipTickMs = 10;
inline constexpr int kTipFadeStep = 25;
inline constexpr int kTipPanelImage = 149;
inline constexpr Argb kTipTextColor = 0xFAFFFFFF;
// The box the tip's text is measured in: one line, wider than any screen needs.
inline constexpr RectF kTipMeasureLayout{0, 0, 1024, 100};

// The tip is sized from its text measured a quarter larger than it is drawn, so the drawn text
// sits well inside the panel's soft edge.
constexpr int TipMeasureFontSize(int textSize) { return textSize + textSize / 4; }

TextFormat TipTextFormat();

// Where the tip window goes so that it is centred on (x, y): 14 pixels of margin (at 96 DPI) on
// each side plus an eighth of the text width to spare. Not kept inside the screen.
struct TipBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TipBounds&) const = default;
};
TipBounds TipWindowBounds(int x, int y, SizeF measuredText, DisplayScale scale = {});

// Measures the text the way the tip sizes itself; 0 x 0 when it cannot be measured.
SizeF MeasureTipText(Canvas& canvas, std::wstring_view text, int textSize);

// The tip's picture: the panel image stretched over the whole surface (nothing when it is
// missing), then the text centred in it at its size.
void PaintTip(Canvas& canvas, const ArgbImage* panel, std::wstring_view text, int textSize, int width, int height);

// What the tip window does at one tick.
struct TipTick {
  enum class Action {
    None,     // nothing to do: hidden, waiting for the next show
    Present,  // make sure the window is shown and present it at `level`
    Hide,
  };
  Action action = Action::None;
  uint8_t level = 0;
  bool operator==(const TipTick&) const = default;
};

// The tip's fade, stepped once every kTipTickMs: in by 25 up to 255, held there for
// displayMs / 10 ticks, out by 25 down to 0, then hidden. 3000 ms is 11 + 300 + 11 ticks on
// screen and one more to hide: about 3.2 s.
class TipFade {
 public:
  // Starts a display from level 0, whatever was running.
  void Show(int displayMs);
  // Ends the hold: the tip fades out from the level it has reached.
  void Stop();
  // Ends the display at once, without a fade: nothing more to do until the next Show.
  void Cancel();
  TipTick Step();

  // Nothing left to do until the next Show: the ticking can stop.
  bool idle() const { return phase_ == Phase::Hidden; }
  uint8_t level() const { return level_; }

 private:
  enum class Phase { Hidden, FadingIn, Holding, FadingOut, Hiding };
  Phase phase_ = Phase::Hidden;
  int level_ = 0;
  int holdTicks_ = 0;
};

}  // namespace corvan
