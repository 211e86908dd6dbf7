#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "config/language_file.h"

namespace corvan::testing {

// A language file read without the platform, as the platform's profile reader reads it (the
// shared rows of language_file_cases.h hold both to the same texts), so that the loading step is
// tested on any system:
// - The bytes are UTF-8 after its byte-order mark, UTF-16 after one (either order), or else
//   Windows-1252.
// - Lines end at any run of CR and LF. Blanks (tab to CR, space, and the DOS end-of-file mark
//   Ctrl-Z) around a line, a name or a value do not count.
// - A line that starts with '[' and has a ']' starts a section named by what lies between the
//   '[' and the last ']'. Any other line is a key: up to the first '=', the value after it; a
//   line without '=' is a key without a value, which reads as missing.
// - Names match without regard to case; the first of repeated sections and keys is the one read.
//   A name or a value ends at a NUL.
// - A value in one pair of quotes is read without them, into 999 characters at most.
class ProfileText final : public ProfileReader {
 public:
  explicit ProfileText(std::string_view bytes);
  std::wstring Read(std::wstring_view section, std::wstring_view key, std::wstring_view absent) override;

 private:
  // Section, then key, both folded to lower case; no value for a key line without '='.
  std::map<std::wstring, std::map<std::wstring, std::optional<std::wstring>>> values_;
};

}  // namespace corvan::testing
