// Feeds arbitrary bytes to the tests' reader of language files and the localisation pass.
// libFuzzer hands over an allocation of exactly `size` bytes, so the address sanitizer reports any
// read past it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/language_file.h"
#include "profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  corvan::testing::ProfileText reader(std::string_view(reinterpret_cast<const char*>(data), size));
  corvan::LocalisedTexts texts;
  corvan::LoadLanguageFile(reader, texts);
  // Whatever the file holds, no text is longer than a value can be, and the tables keep their sizes.
  for (const std::wstring& label : texts.functionLabels) {
    if (label.size() > corvan::kProfileValueLength) std::abort();
  }
  if (texts.defaultCaption.size() > corvan::kProfileValueLength) std::abort();
  for (const auto& triple : texts.orderLabels) {
    for (const std::wstring& word : triple) {
      if (word.size() > corvan::kProfileValueLength) std::abort();
    }
  }
  return 0;
}
