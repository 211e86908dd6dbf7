#include "profile_text.h"

#include <cstdint>
#include <cwctype>

namespace corvan::testing {
namespace {

// Windows-1252 for the bytes 0x80 to 0x9F (the five it leaves out stand for themselves, as the
// platform's conversion has them); the rest as Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr char32_t kReplacement = 0xFFFD;

// Texts are UTF-16 units, as on Windows, whatever the size of wchar_t.
void AppendUtf16(std::wstring& text, char32_t codePoint) {
  if (codePoint < 0x10000) {
    text.push_back(static_cast<wchar_t>(codePoint));
    return;
  }
  codePoint -= 0x10000;
  text.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
  text.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
}

std::wstring DecodeUtf16(std::string_view bytes, bool littleEndian) {
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<uint8_t>(bytes[i]);
    const auto second = static_cast<uint8_t>(bytes[i + 1]);
    text.push_back(static_cast<wchar_t>(littleEndian ? first | (second << 8) : (first << 8) | second));
  }
  return text;
}

// Each broken sequence (its longest start that could still have been right) becomes one U+FFFD.
std::wstring DecodeUtf8(std::string_view bytes) {
  std::wstring text;
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<uint8_t>(bytes[i++]);
    if (lead < 0x80) {
      text.push_back(static_cast<wchar_t>(lead));
      continue;
    }
    int following = 0;
    char32_t codePoint = 0;
    uint8_t low = 0x80, high = 0xBF;  // what the next byte may be: no overlong form, no surrogate
    if (lead >= 0xC2 && lead <= 0xDF) {
      following = 1;
      codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      following = 2;
      codePoint = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      following = 3;
      codePoint = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      AppendUtf16(text, kReplacement);
      continue;
    }
    int taken = 0;
    while (taken < following && i < bytes.size()) {
      const auto next = static_cast<uint8_t>(bytes[i]);
      if (next < low || next > high) break;
      codePoint = (codePoint << 6) | (next & 0x3F);
      low = 0x80;
      high = 0xBF;
      ++i;
      ++taken;
    }
    AppendUtf16(text, taken == following ? codePoint : kReplacement);
  }
  return text;
}

std::wstring DecodeWindows1252(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    text.push_back(b >= 0x80 && b < 0xA0 ? static_cast<wchar_t>(kCp1252High[b - 0x80]) : static_cast<wchar_t>(b));
  }
  return text;
}

std::wstring Decode(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return DecodeUtf8(bytes.substr(3));
  if (bytes.substr(0, 2) == "\xFF\xFE") return DecodeUtf16(bytes.substr(2), true);
  if (bytes.substr(0, 2) == "\xFE\xFF") return DecodeUtf16(bytes.substr(2), false);
  return DecodeWindows1252(bytes);
}

bool IsBlank(wchar_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == L' '; }

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::wstring_view UpToNul(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

std::wstring Folded(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return folded;
}

bool IsLineEnd(wchar_t c) { return c == L'\n' || c == L'\r'; }

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
  const std::wstring text = Decode(bytes);
  // Keys before the first section, and in a repeated one, are never read.
  std::map<std::wstring, std::optional<std::wstring>>* section = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && !IsLineEnd(text[end])) ++end;
    const std::wstring_view line = Trimmed(std::wstring_view(text).substr(start, end - start));
    start = end;
    while (start < text.size() && IsLineEnd(text[start])) ++start;
    if (line.empty()) continue;
    if (line.front() == L'[') {
      const size_t close = line.rfind(L']');
      if (close != std::wstring_view::npos) {
        const std::wstring name = Folded(UpToNul(Trimmed(line.substr(1, close - 1))));
        section = values_.count(name) ? nullptr : &values_[name];
        continue;
      }
      // Without a ']' the line is an ordinary key of the section it is in.
    }
    if (!section) continue;
    const size_t equals = line.find(L'=');
    const std::wstring key = Folded(UpToNul(Trimmed(line.substr(0, equals))));
    std::optional<std::wstring> value;
    if (equals != std::wstring_view::npos) value = std::wstring(UpToNul(Trimmed(line.substr(equals + 1))));
    section->emplace(key, std::move(value));
  }
}

std::wstring ProfileText::Read(std::wstring_view section, std::wstring_view key, std::wstring_view absent) {
  const auto foundSection = values_.find(Folded(section));
  if (foundSection == values_.end()) return std::wstring(absent);
  const auto found = foundSection->second.find(Folded(key));
  if (found == foundSection->second.end() || !found->second) return std::wstring(absent);
  std::wstring_view value = *found->second;
  const bool quoted = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  std::wstring taken(value.substr(0, kProfileValueLength));
  // The platform drops the closing quote as the last character it took whenever the rest of the
  // value fits its buffer, so a quoted value of exactly 999 characters loses its last one.
  if (quoted && value.size() <= kProfileValueLength + 1) taken.pop_back();
  return taken;
}

}  // namespace corvan::testing
