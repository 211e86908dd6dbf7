#include "config/function_labels.h"

namespace corvan {

FunctionLabels DefaultFunctionLabels() {
  // Language files rename these by their index, never by their text. /run still takes the former
  // spellings of three of them (see ResolveFunctionName).
  return {
      L"No function",    L"System",         L"Expose application", L"Flip 3D (Aero)", L"My computer",
      L"Show desktop",   L"Start menu",     L"Application",        L"Calculator",     L"Email reader",
      L"Web browser",    L"Function key",   L"Cut",                L"Copy",           L"Paste",
      L"Backward",       L"Forward",        L"Page Up",            L"Page Down",      L"Multimedia",
      L"Volume +",       L"Volume -",       L"Mute",               L"Play / Pause",   L"Prev track",
      L"Next track",     L"Media Player",   L"Presenter",          L"Highlighter",    L"Screen snap #1",
      L"Screen snap #2", L"Simulate touch", L"Spotlight",
  };
}

OrderLabels BuildOrderLabels(const std::wstring& left, const std::wstring& right, const std::wstring& middle) {
  return {{
      {middle, left, right},
      {middle, right, left},
      {right, left, middle},
      {right, middle, left},
      {left, right, middle},
      {left, middle, right},
  }};
}

std::wstring OrderText(const OrderLabels& labels, int32_t order) {
  const OrderTriple& words = labels[order >= 0 && order < static_cast<int32_t>(labels.size()) ? static_cast<size_t>(order) : 0];
  return words[0] + kOrderWordSeparator + words[1] + kOrderWordSeparator + words[2];
}

}  // namespace corvan
