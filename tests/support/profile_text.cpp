#include "profile_text.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <vector>

namespace corvan::testing {
namespace {

// Windows-1252 for the bytes 0x80 to 0x9F; the rest as Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

std::wstring Decode(std::string_view bytes) {
  std::wstring text;
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
  if (bytes.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
    const bool little = byte(0) == 0xFF;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const auto unit = static_cast<uint16_t>(little ? byte(i) | (byte(i + 1) << 8) : (byte(i) << 8) | byte(i + 1));
      text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
  }
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = byte(i);
    text.push_back(b >= 0x80 && b < 0xA0 ? static_cast<wchar_t>(kCp1252High[b - 0x80]) : static_cast<wchar_t>(b));
  }
  return text;
}

std::wstring Folded(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return folded;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::wstring_view Unquoted(std::wstring_view value) {
  if (value.size() >= 2 && ((value.front() == L'"' && value.back() == L'"') ||
                            (value.front() == L'\'' && value.back() == L'\''))) {
    value.remove_prefix(1);
    value.remove_suffix(1);
  }
  return value;
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
  const std::wstring text = Decode(bytes);
  std::map<std::wstring, std::wstring>* section = nullptr;
  std::vector<std::wstring> seen;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring_view line = Trimmed(std::wstring_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == L';') continue;
    if (line.front() == L'[') {
      const size_t close = line.find(L']');
      if (close == std::wstring_view::npos) {
        section = nullptr;  // a broken header: its lines belong to no section
        continue;
      }
      const std::wstring name = Folded(Trimmed(line.substr(1, close - 1)));
      const bool repeated = std::find(seen.begin(), seen.end(), name) != seen.end();
      seen.push_back(name);
      // The first section of a name is the one read; a repeated one is passed over.
      section = repeated ? nullptr : &values_[name];
      continue;
    }
    const size_t equals = line.find(L'=');
    if (!section || equals == std::wstring_view::npos) continue;
    const std::wstring key = Folded(Trimmed(line.substr(0, equals)));
    if (key.empty() || section->count(key)) continue;
    (*section)[key] = std::wstring(Unquoted(Trimmed(line.substr(equals + 1))));
  }
}

std::wstring ProfileText::Read(std::wstring_view section, std::wstring_view key, std::wstring_view absent) {
  const auto foundSection = values_.find(Folded(section));
  if (foundSection == values_.end()) return std::wstring(absent);
  const auto found = foundSection->second.find(Folded(key));
  if (found == foundSection->second.end()) return std::wstring(absent);
  std::wstring value = found->second;
  if (value.size() > kProfileValueLength) value.resize(kProfileValueLength);
  return value;
}

}  // namespace corvan::testing
