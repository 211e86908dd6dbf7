#pragma once

#include <array>
#include <string>

#include "config/function_labels.h"
#include "core/geometry.h"

namespace corvan {

// The editor's hints, shown in the function tip. Entry 6 carries the point it is centred on.
struct EditorHint {
  std::wstring text;
  Point anchor{};  // client coordinates; only entry 6 has one
};
inline constexpr int kEditorHintCount = 7;
inline constexpr int kHintButton = 1;
inline constexpr int kHintOrder = 2;
inline constexpr int kHintGesture = 3;
inline constexpr int kHintMinimize = 4;
inline constexpr int kHintClose = 5;
inline constexpr int kHintDefault = 6;

// Every text of the system that the language file may replace, with its English default.
struct LocalisedTexts {
  std::wstring defaultCaption = L"Default";
  std::array<EditorHint, kEditorHintCount> editorHints = {{
      {L""},
      {L"Click to select button functions."},
      {L"Click to change button mapping."},
      {L"Click to select gesture functions."},
      {L"Minimize"},
      {L"Close"},
      {L"Default", {550, 115}},
  }};
  // The presenter board's tips, TIP str7 and str8 after the editor's hints.
  std::wstring leaveBoardHint = L"Esc to leave";
  std::wstring copiedToClipboard = L"Copied to Clipboard";
  // The extra key's callout hint, TIP str9.
  std::wstring extraKeyHint = L"Click to select the extra key's function.";
  std::array<std::wstring, 4> orderWords = {L"Order:", L"Left", L"Right", L"Middle"};
  FunctionLabels functionLabels = DefaultFunctionLabels();
  OrderLabels orderLabels = BuildOrderLabels(L"Left", L"Right", L"Middle");
};

}  // namespace corvan
