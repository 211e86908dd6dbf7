#pragma once

#include <map>
#include <string>
#include <string_view>

#include "config/language_file.h"

namespace corvan::testing {

// A language file read without the platform, the way its profile reader reads one, so that the
// loading step is tested on any system: sections in brackets, `key=value` lines,
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

}  // namespace corvan::testing
