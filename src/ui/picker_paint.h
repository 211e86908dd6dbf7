#pragma once

#include <cstdint>

#include "ui/argb_image.h"
#include "ui/canvas.h"
#include "ui/picker.h"

namespace corvan {

inline constexpr int kPickerTextureImage = 148;

// The image resources a paint draws. The image stays valid until the paint ends; null for one
// that does not load.
class ImageLoader {
 public:
  virtual ~ImageLoader() = default;
  virtual const ArgbImage* Load(int id) = 0;
  // How many times their size at 96 DPI the images come: they are drawn at that size.
  virtual int32_t zoom() const { return 1; }
};

struct PickerPaintState {
  const PickerRows* rows = nullptr;  // the visible list
  bool fullListEmpty = false;
  int32_t firstRow = 0;
  int32_t offset = 0;                // the slide offset
  int32_t hoveredRow = -1;
  int groupMarkerImage = 0;
  int32_t width = 0;                 // the surface: client width + 1
  int32_t height = 0;                // client height + 1
  // The function the slot being edited holds (-1: none, as in a quick-launch list): its row, and
  // the row of the group it is in (`currentGroup`, a group code), carry a dot.
  int32_t currentIndex = -1;
  int32_t currentGroup = 0;
};

// The whole list on its layered surface: shadow, rounded body, rows, icons and labels.
void PaintPicker(Canvas& canvas, const PickerPaintState& state, ImageLoader& images);

}  // namespace corvan
