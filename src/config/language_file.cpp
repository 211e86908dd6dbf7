#include "config/language_file.h"

namespace corvan {
namespace {

std::wstring Key(int index) { return L"str" + std::to_wstring(index); }

void ReplaceIfPresent(ProfileReader& reader, std::wstring_view section, int index, std::wstring& target) {
  std::wstring value = reader.Read(section, Key(index), kAbsentMarker);
  if (value != kAbsentMarker) target = std::move(value);
}

}  // namespace

void LoadLanguageFile(ProfileReader& reader, LocalisedTexts& texts) {
  ReplaceIfPresent(reader, L"BUTTON", 0, texts.defaultCaption);
  for (int i = 0; i < kEditorHintCount; ++i) ReplaceIfPresent(reader, L"TIP", i, texts.editorHints[static_cast<size_t>(i)].text);
  ReplaceIfPresent(reader, L"TIP", kEditorHintCount, texts.leaveBoardHint);
  ReplaceIfPresent(reader, L"TIP", kEditorHintCount + 1, texts.copiedToClipboard);
  ReplaceIfPresent(reader, L"TIP", kEditorHintCount + 2, texts.extraKeyHint);
  for (int i = 0; i < 4; ++i) ReplaceIfPresent(reader, L"MSG", i, texts.orderWords[static_cast<size_t>(i)]);
  for (int i = 0; i < kLocalisableLabelCount; ++i) {
    ReplaceIfPresent(reader, L"FUNCTION", i, texts.functionLabels[static_cast<size_t>(i)]);
  }
  texts.orderLabels = BuildOrderLabels(texts.orderWords[1], texts.orderWords[2], texts.orderWords[3]);
}

}  // namespace corvan
