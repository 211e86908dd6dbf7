#pragma once

#include <array>
#include <cstdint>

#include "config/catalogue.h"
#include "config/localised_texts.h"
#include "input/routing.h"
#include "ui/canvas.h"

namespace corvan {

// What the editor's paint reads: the slots, the texts and the pointer interaction (-1: none).
struct EditorPaintInput {
  const Catalogue* catalogue = nullptr;
  std::array<int32_t, 5> buttonSlots{};  // bt0 .. bt4
  const LocalisedTexts* texts = nullptr;  // required: the caption and the Default hint's anchor
  int32_t hoveredButton = -1;
  int32_t editedButton = -1;   // the slot the picker is open for
  int32_t hoveredDefault = -1;
  int32_t pressedControl = -1;
  int32_t hoveredControl = -1;  // 0 Minimize, 1 Close
};

// The editor on the product picture: the Default, Minimize and Close controls, then the callouts
// of the side buttons with the functions assigned to them. Answers the hot places of what it drew,
// which the pointer interaction tests.
EditorHotRegions PaintEditor(Canvas& canvas, const EditorPaintInput& input);

}  // namespace corvan
