// Feeds the localisation pass the values the platform's profile reader could answer, straight from
// the input: each read takes the next value, of up to 999 UTF-16 code units of any value (NULs
// included), or the answer for a missing key; once the input ends every key is missing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "config/language_file.h"
#include "fuzz_input.h"
#include "localised_texts_checks.h"

namespace {

using corvan::fuzzing::FuzzInput;

class ValuesFromInput final : public corvan::ProfileReader {
 public:
  explicit ValuesFromInput(FuzzInput& input) : input_(input) {}

  std::wstring Read(std::wstring_view, std::wstring_view, std::wstring_view absent) override {
    if (input_.Empty()) return std::wstring(absent);
    // One value in eight is missing; the rest take their length from the input.
    if (input_.Byte() % 8 == 0) return std::wstring(absent);
    std::wstring value = input_.Text(input_.Unit() % (corvan::kProfileValueLength + 1));
    if (value != corvan::kAbsentMarker) given.push_back(value);
    return value;
  }

  std::vector<std::wstring> given;  // every value that stood for a key the file has

 private:
  FuzzInput& input_;
};

bool IsOneOf(const std::wstring& text, const std::wstring& defaultText, const std::vector<std::wstring>& given) {
  if (text == defaultText) return true;
  for (const std::wstring& value : given) {
    if (value == text) return true;
  }
  return false;
}

// Each text is its default or a value the file gave.
void CheckTextsCameFromTheFile(const corvan::LocalisedTexts& texts, const std::vector<std::wstring>& given) {
  static const corvan::LocalisedTexts defaults;
  bool ok = IsOneOf(texts.defaultCaption, defaults.defaultCaption, given) &&
            IsOneOf(texts.leaveBoardHint, defaults.leaveBoardHint, given) &&
            IsOneOf(texts.copiedToClipboard, defaults.copiedToClipboard, given);
  for (size_t i = 0; i < texts.editorHints.size(); ++i) {
    ok = ok && IsOneOf(texts.editorHints[i].text, defaults.editorHints[i].text, given);
    ok = ok && texts.editorHints[i].anchor == defaults.editorHints[i].anchor;
  }
  for (size_t i = 0; i < texts.orderWords.size(); ++i) {
    ok = ok && IsOneOf(texts.orderWords[i], defaults.orderWords[i], given);
  }
  for (size_t i = 0; i < texts.functionLabels.size(); ++i) {
    const bool localisable = i < static_cast<size_t>(corvan::kLocalisableLabelCount);
    ok = ok && (localisable ? IsOneOf(texts.functionLabels[i], defaults.functionLabels[i], given)
                            : texts.functionLabels[i] == defaults.functionLabels[i]);
  }
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  ValuesFromInput reader(input);
  corvan::LocalisedTexts texts;
  corvan::LoadLanguageFile(reader, texts);
  corvan::fuzzing::CheckLocalisedTexts(texts);
  CheckTextsCameFromTheFile(texts, reader.given);
  return 0;
}
