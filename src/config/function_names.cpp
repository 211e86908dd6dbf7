#include "config/function_names.h"

#include <cwctype>
#include <vector>

namespace corvan {
namespace {

wchar_t Folded(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); }

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

// A decimal number, with a sign allowed so that "-1" is a number outside the catalogue rather than
// an unknown name.
bool IsDecimal(std::wstring_view text) {
  const size_t digitsFrom = !text.empty() && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
  if (text.size() == digitsFrom) return false;
  for (size_t i = digitsFrom; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
  }
  return true;
}

// The id a decimal names, or -1 for one outside 0 .. count - 1 (however many digits it has).
int32_t DecimalId(std::wstring_view text, int32_t count) {
  if (text[0] == L'-') return -1;
  if (text[0] == L'+') text.remove_prefix(1);
  int64_t value = 0;
  for (wchar_t digit : text) {
    value = value * 10 + (digit - L'0');
    if (value >= count) return -1;
  }
  return static_cast<int32_t>(value);
}

std::wstring Narrowed(std::wstring_view name) {
  // Shown back in an error line: cut short and with controls made visible.
  constexpr size_t kShown = 60;
  std::wstring shown;
  for (wchar_t c : name.substr(0, kShown)) shown += (c < 0x20 || c == 0x7F) ? L'?' : c;
  if (name.size() > kShown) shown += L"...";
  return shown;
}

// The modifier keys by their bit, as a user names them.
const wchar_t* ModifierName(uint32_t bit) {
  switch (bit) {
    case 0x01: case 0x10: return L"Ctrl";
    case 0x02: case 0x20: return L"Shift";
    case 0x04: case 0x40: return L"Alt";
    default: return L"Windows";
  }
}

const wchar_t* ModifierSide(uint32_t bit) { return bit >= 0x10 ? L"right" : L"left"; }

// Keys that are a function of their own, by the code the catalogue sends.
struct NamedKey {
  int32_t action;
  int32_t key;
  const wchar_t* words;
};
constexpr NamedKey kNamedKeys[] = {
    {kActionVirtualKey, 0xA6,   L"Browser back key"},
    {kActionVirtualKey, 0xA7,   L"Browser forward key"},
    {kActionVirtualKey, 0xAC,   L"Browser home key"},
    {kActionVirtualKey, 0xAD,   L"Mute key"},
    {kActionVirtualKey, 0xAE,   L"Volume down key"},
    {kActionVirtualKey, 0xAF,   L"Volume up key"},
    {kActionVirtualKey, 0xB0,   L"Next track media key"},
    {kActionVirtualKey, 0xB1,   L"Previous track media key"},
    {kActionVirtualKey, 0xB3,   L"Play/pause media key"},
    {kActionVirtualKey, 0xB4,   L"Mail key"},
    {kActionVirtualKey, 0xB5,   L"Media player key"},
    {kActionScanCode,   0xE049, L"Page Up key"},
    {kActionScanCode,   0xE051, L"Page Down key"},
};

std::wstring KeyName(const _QxItemListDB& entry) {
  const int32_t key = entry.key;
  if (entry.action == kActionVirtualKey && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
    return std::wstring(1, static_cast<wchar_t>(key));
  }
  wchar_t text[32];
  swprintf(text, sizeof text / sizeof text[0], entry.action == kActionScanCode ? L"scan code 0x%04X" : L"key 0x%02X",
           static_cast<unsigned>(key));
  return text;
}

std::wstring KeysDescription(const _QxItemListDB& entry) {
  if (entry.modifiers == 0) {
    for (const NamedKey& named : kNamedKeys) {
      if (named.action == entry.action && named.key == entry.key) return named.words;
    }
  }
  std::vector<uint32_t> held;
  for (uint32_t bit = 1; bit <= 0x80; bit <<= 1) {
    if (entry.modifiers & bit) held.push_back(bit);
  }
  if (entry.key == 0 && held.size() == 1) {
    return std::wstring(L"Presses the ") + ModifierSide(held[0]) + L" " + ModifierName(held[0]) + L" key";
  }
  std::wstring keys;
  for (uint32_t bit : held) keys += std::wstring(ModifierName(bit)) + L"+";
  return L"Presses " + keys + KeyName(entry);
}

std::wstring WhatItDoes(const Catalogue& catalogue, const _QxItemListDB& entry) {
  switch (entry.action) {
    case kActionNothing: return L"Does nothing";
    case kActionGroup: {
      int members = 0;
      for (const _QxItemListDB& other : catalogue.entries) members += other.parent == entry.code;
      return L"Opens a menu of its " + std::to_wstring(members) + L" functions at the pointer";
    }
    case kActionOverview: return L"Opens the window overview";
    case kActionMyComputer: return L"Opens the computer folder";
    case kActionToggleDesktop: return L"Shows or hides the desktop";
    case kActionCalculator: return L"Starts the calculator";
    case kActionVirtualKey:
    case kActionScanCode: return KeysDescription(entry);
    case kActionHighlighter: return L"Turns the highlighter on or off";
    case kActionSnapRectangle: return L"Starts a rectangular screen snap";
    case kActionSnapFreeForm: return L"Starts a free-form screen snap";
    case kActionSpotlight: return L"Turns the spotlight on or off";
    default: return L"?";
  }
}

std::wstring GroupLabel(const Catalogue& catalogue, const _QxItemListDB& entry) {
  if (entry.parent == 0) return L"-";
  for (const _QxItemListDB& other : catalogue.entries) {
    if (other.kind == kKindGroup && other.code == entry.parent) return other.label;
  }
  return L"-";
}

std::wstring Padded(std::wstring text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), L' ');
  return text;
}

}  // namespace

NameProblem CheckFunctionName(std::wstring_view name) {
  if (name.empty()) return NameProblem::kEmpty;
  if (name.size() > kMaxFunctionNameLength) return NameProblem::kTooLong;
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F) return NameProblem::kControlCharacter;
  }
  return NameProblem::kNone;
}

namespace {

// English labels as earlier versions spelt them, so that scripts written against them still work.
struct FormerLabel {
  std::wstring_view former;
  std::wstring_view now;
};
constexpr FormerLabel kFormerLabels[] = {
    {L"Mutimedia", L"Multimedia"},
    {L"Volumne +", L"Volume +"},
    {L"Volumne -", L"Volume -"},
};

}  // namespace

NameResolution ResolveFunctionName(const Catalogue& shown, const Catalogue& defaults, std::wstring_view name) {
  if (const NameProblem problem = CheckFunctionName(name); problem != NameProblem::kNone) return {-1, problem};
  if (IsDecimal(name)) {
    const int32_t id = DecimalId(name, shown.Count());
    return id < 0 ? NameResolution{-1, NameProblem::kIdOutOfRange} : NameResolution{id, NameProblem::kNone};
  }
  for (const Catalogue* catalogue : {&shown, &defaults}) {
    for (int32_t id = 0; id < catalogue->Count(); ++id) {
      if (SameIgnoringCase(catalogue->entries[static_cast<size_t>(id)].label, name)) return {id, NameProblem::kNone};
    }
  }
  for (const FormerLabel& label : kFormerLabels) {
    if (SameIgnoringCase(label.former, name)) return ResolveFunctionName(shown, defaults, label.now);
  }
  return {-1, NameProblem::kUnknownName};
}

std::wstring DescribeNameProblem(NameProblem problem, std::wstring_view name, int32_t catalogueCount) {
  switch (problem) {
    case NameProblem::kNone: return L"";
    case NameProblem::kEmpty: return L"No function named: /run needs a function's name or id (see /list).";
    case NameProblem::kTooLong:
      return L"The name is " + std::to_wstring(name.size()) + L" characters long; no function's name is longer than " +
             std::to_wstring(kMaxFunctionNameLength) + L".";
    case NameProblem::kControlCharacter: return L"A function's name has no line breaks or control characters.";
    case NameProblem::kUnknownName: return L"No function is called \"" + Narrowed(name) + L"\" (see /list).";
    case NameProblem::kIdOutOfRange:
      return L"Function ids run from 0 to " + std::to_wstring(catalogueCount - 1) + L"; \"" + Narrowed(name) +
             L"\" is not one of them.";
  }
  return L"";
}

std::wstring CatalogueListing(const Catalogue& shown, const Catalogue& english) {
  std::wstring listing;
  for (int32_t id = 0; id < shown.Count(); ++id) {
    const _QxItemListDB& entry = shown.entries[static_cast<size_t>(id)];
    std::wstring label = entry.label;
    if (id < english.Count() && english.entries[static_cast<size_t>(id)].label != label) {
      label += L" (" + english.entries[static_cast<size_t>(id)].label + L")";
    }
    listing += Padded(std::to_wstring(id), 4) + Padded(label, 20) + L"  " + Padded(GroupLabel(shown, entry), 14) +
               L"  " + WhatItDoes(shown, entry) + L"\n";
  }
  return listing;
}

}  // namespace corvan
