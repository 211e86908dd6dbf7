#pragma once

// What must hold of the texts after any localisation pass, whatever the language file held.

#include <cstdlib>
#include <string>

#include "config/language_file.h"

namespace corvan::fuzzing {

// No text is longer than a value can be, and none is the marker that stands for a missing key.
inline void CheckText(const std::wstring& text) {
  if (text.size() > kProfileValueLength) std::abort();
  if (text == kAbsentMarker) std::abort();
}

inline void CheckLocalisedTexts(const LocalisedTexts& texts) {
  for (const std::wstring& label : texts.functionLabels) CheckText(label);
  CheckText(texts.defaultCaption);
  for (const EditorHint& hint : texts.editorHints) CheckText(hint.text);
  CheckText(texts.leaveBoardHint);
  CheckText(texts.copiedToClipboard);
  for (const std::wstring& word : texts.orderWords) CheckText(word);
  // The order labels are made of the order words the file left.
  if (texts.orderLabels != BuildOrderLabels(texts.orderWords[1], texts.orderWords[2], texts.orderWords[3])) {
    std::abort();
  }
}

}  // namespace corvan::fuzzing
