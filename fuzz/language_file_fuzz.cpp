// Feeds arbitrary language files to the localisation pass. In the program the platform's profile
// reader decodes the file; here the tests' reader, which reads files as the platform does, plays
// it, so that the pass gets every value a file can hold. libFuzzer hands over an allocation of
// exactly `size` bytes, so the address sanitizer reports any read past it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/language_file.h"
#include "localised_texts_checks.h"
#include "profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  corvan::testing::ProfileText reader(std::string_view(reinterpret_cast<const char*>(data), size));
  corvan::LocalisedTexts texts;
  corvan::LoadLanguageFile(reader, texts);
  corvan::fuzzing::CheckLocalisedTexts(texts);
  return 0;
}
