#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/localised_texts.h"

namespace corvan {

// What the language file's reader is asked for: a value by section and key, or `absent` when the
// file, the section or the key is missing. At most 999 characters of a value are taken.
class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  virtual std::wstring Read(std::wstring_view section, std::wstring_view key, std::wstring_view absent) = 0;
};

inline constexpr wchar_t kAbsentMarker[] = L"@_NOSTR_";
inline constexpr wchar_t kLanguageFileName[] = L"lang.ini";
inline constexpr size_t kProfileValueLength = 999;

// The one localisation pass: every key the file has replaces its text; the order labels are then
// built again from the order words.
void LoadLanguageFile(ProfileReader& reader, LocalisedTexts& texts);

}  // namespace corvan
