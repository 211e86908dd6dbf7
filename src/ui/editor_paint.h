#pragma once

#include <array>
#include <cstdint>

#include "config/catalogue.h"
#include "core/display_scale.h"
#include "config/localised_texts.h"
#include "input/routing.h"
#include "ui/canvas.h"

namespace corvan {

// What the editor's paint reads: the slots, the texts and the pointer interaction (-1: none).
struct EditorPaintInput {
  const Catalogue* catalogue = nullptr;
  std::array<int32_t, kCalloutCount - 1> slots{};  // the editable slots' functions, by callout number
  int32_t buttonOrder = 0;
  const LocalisedTexts* texts = nullptr;  // required: the caption, the Default hint's anchor, the order words
  DisplayScale scale;  // drawn at this scale; the hot places stay at 96 DPI
  int32_t hoveredCallout = -1;
  int32_t editedCallout = -1;   // the callout the picker is open for
  int32_t hoveredDefault = -1;
  int32_t pressedControl = -1;
  int32_t hoveredControl = -1;  // 0 Minimize, 1 Close
};

// The editor on the product picture: the Default, Minimize and Close controls, then the callouts
// of the side buttons, the gestures and the extra key with the functions assigned to them, and of
// the button order. Answers the hot places of what it drew at 96 DPI, which the pointer
// interaction tests after taking the pointer back to 96 DPI.
EditorHotRegions PaintEditor(Canvas& canvas, const EditorPaintInput& input);

}  // namespace corvan
