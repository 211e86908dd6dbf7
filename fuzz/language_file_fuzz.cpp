// Feeds arbitrary language files to the localisation pass. In the program the platform's profile
// reader decodes the file; here the tests' reader, which reads files as the platform does, plays
// it, so that the pass gets every value a file can hold. libFuzzer hands over an allocation of
// exactly `size` bytes, so the address sanitizer reports any read past it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/language_file.h"
#include "profile_text.h"

namespace {

// No text is longer than a value can be, and none is the marker that stands for a missing key.
void CheckText(const std::wstring& text) {
  if (text.size() > corvan::kProfileValueLength) std::abort();
  if (text == corvan::kAbsentMarker) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  corvan::testing::ProfileText reader(std::string_view(reinterpret_cast<const char*>(data), size));
  corvan::LocalisedTexts texts;
  corvan::LoadLanguageFile(reader, texts);
  for (const std::wstring& label : texts.functionLabels) CheckText(label);
  CheckText(texts.defaultCaption);
  for (const corvan::EditorHint& hint : texts.editorHints) CheckText(hint.text);
  CheckText(texts.leaveBoardHint);
  CheckText(texts.copiedToClipboard);
  for (const std::wstring& word : texts.orderWords) CheckText(word);
  // The order labels are made of the order words the file left.
  if (texts.orderLabels != corvan::BuildOrderLabels(texts.orderWords[1], texts.orderWords[2], texts.orderWords[3])) {
    std::abort();
  }
  return 0;
}
