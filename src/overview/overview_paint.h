#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/display_scale.h"
#include "core/geometry.h"
#include "overview/grow_shrink.h"
#include "ui/canvas.h"

namespace corvan {

// One item as the painters see it: its window's title and picture (none when the window was never
// captured or has gone).
struct OverviewItemView {
  std::wstring title;
  const ArgbImage* snapshot = nullptr;
};

// The window icons of the badges: only the platform can draw them.
class OverviewIcons {
 public:
  virtual ~OverviewIcons() = default;
  virtual bool HasIcon(int32_t index) = 0;
  // Draws the item's icon with its top-left corner at the point; the canvas is flushed first.
  virtual void DrawIcon(int32_t index, Point topLeft) = 0;
};

inline constexpr size_t kShortTitleChars = 24;

// A title longer than kShortTitleChars keeps its first characters and "...".
std::wstring ShortTitle(std::wstring_view title);
// Tahoma 16 px for a few windows, 14 px from ten on, at 96 DPI; times the display's scale.
Font OverviewTitleFont(int32_t windowCount, DisplayScale scale = {});

// The pictures of the resting items with their short titles: drawn once per opening into the
// backdrop, so that later paints only copy it.
void PaintItemsAtRest(Canvas& canvas, const std::vector<Rect>& targets, const std::vector<OverviewItemView>& items,
                      DisplayScale scale = {});

struct OverlayState {
  const std::vector<Rect>* shown = nullptr;
  const std::vector<Growth>* growth = nullptr;
  int32_t selected = -1;
  bool composition = false;
  int32_t iconWidth = 32;
  int32_t iconHeight = 32;
  DisplayScale scale;  // the overview covers the monitor in its pixels; the titles take its scale
};

// What every paint adds over the backdrop: the badges of resting items, and each grown item drawn
// anew over its cell with its full title and badge; the selected one gets the white frame. With
// live thumbnails the system draws the pictures, and only the frame is ours.
void PaintOverlay(Canvas& canvas, const OverlayState& state, const std::vector<OverviewItemView>& items,
                  OverviewIcons& icons);

}  // namespace corvan
