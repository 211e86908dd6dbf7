#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
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

// A profile file read the way the platform reads one: sections in brackets, `key=value` lines,
// section and key names matched without regard to case, blanks around a value removed and one
// pair of enclosing quotes with them, the first of repeated sections and keys winning. The bytes
// are UTF-16 after a byte-order mark (either order), or else single-byte text (Windows-1252).
class ProfileText final : public ProfileReader {
 public:
  explicit ProfileText(std::string_view bytes);
  std::wstring Read(std::wstring_view section, std::wstring_view key, std::wstring_view absent) override;

 private:
  // Section, then key, both folded to lower case.
  std::map<std::wstring, std::map<std::wstring, std::wstring>> values_;
};

}  // namespace corvan
