#pragma once

#include <string>

#include "config/language_file.h"

namespace corvan {

// The language file through the platform's profile reader, which decodes it (UTF-16 after a
// byte-order mark, UTF-8 after one under Wine, or else the system's ANSI code page) and caches it.
class Win32ProfileReader final : public ProfileReader {
 public:
  explicit Win32ProfileReader(std::wstring path) : path_(std::move(path)) {}
  std::wstring Read(std::wstring_view section, std::wstring_view key, std::wstring_view absent) override;

 private:
  std::wstring path_;
};

}  // namespace corvan
