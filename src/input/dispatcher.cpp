#include "input/dispatcher.h"

namespace corvan {

void ActionDispatcher::RunFunction(int32_t id) {
  if (id < 0) return;
  system_.InitialiseCom();
  if (const _QxItemListDB* entry = catalogue_.Find(id)) {
    // A label the language file left empty names nothing, so it shows no tip.
    if (Perform(*entry) && !entry->label.empty()) ShowTip(TipAtWorkAreaCentre(entry->label));
  }
  system_.UninitialiseCom();
}

void ActionDispatcher::ReleaseFunction(int32_t id) {
  const _QxItemListDB* entry = catalogue_.Find(id);
  if (!entry) return;
  const auto modifiers = static_cast<uint8_t>(entry->modifiers);
  const auto key = static_cast<uint16_t>(entry->key);
  if (entry->action == kActionVirtualKey) system_.SendKeys(modifiers, key, false, false);
  if (entry->action == kActionScanCode) system_.SendKeys(modifiers, key, false, true);
}

bool ActionDispatcher::Perform(const _QxItemListDB& entry) {
  if (entry.kind == kKindGroup) {
    OpenGroupAtCursor(entry);
    return false;
  }
  const auto modifiers = static_cast<uint8_t>(entry.modifiers);
  const auto key = static_cast<uint16_t>(entry.key);
  switch (entry.action) {
    case kActionOverview:
      if (window_.BoardVisible()) {
        // The board is in use: the overview would open underneath it.
        window_.RaiseBoard();
        return false;
      }
      StartOverviewUnlessShowing(entry.label);
      return false;
    case kActionMyComputer:
      system_.OpenComputerFolder();
      return true;
    case kActionToggleDesktop:
      system_.ToggleDesktop();
      return true;
    case kActionCalculator:
      system_.StartCalculator();
      return true;
    case kActionVirtualKey:
    case kActionScanCode: {
      const bool scanMode = entry.action == kActionScanCode;
      system_.SendKeys(modifiers, key, true, scanMode);
      system_.SendKeys(modifiers, key, false, scanMode);
      return true;
    }
    // The board announces its modes itself.
    case kActionHighlighter:
      window_.ToggleBoard(kBoardHighlighter);
      return false;
    case kActionSnapRectangle:
      window_.ToggleBoard(kBoardSnapRectangle);
      return false;
    case kActionSnapFreeForm:
      window_.ToggleBoard(kBoardSnapFreeForm);
      return false;
    case kActionSpotlight:
      window_.ToggleBoard(kBoardSpotlight);
      return false;
    default:
      return false;
  }
}

void ActionDispatcher::OpenGroupAtCursor(const _QxItemListDB& group) {
  const Point cursor = system_.CursorPosition();
  if (window_.MainWindowVisible()) {
    window_.HideMainWindowForAWhile();
  }
  window_.ClosePicker();
  window_.FillPicker(group.code);
  window_.ShowPicker({cursor.x - 1, cursor.y - 1}, PickerMode::QuickLaunch);
}

// The overview names itself once it has captured the desktop behind it; an opening under way is
// taking its pictures, so a second run shows no tip until it is open.
void ActionDispatcher::StartOverviewUnlessShowing(const std::wstring& label) {
  if (window_.OverviewVisible()) {
    if (!label.empty()) ShowTip(TipAtWorkAreaCentre(label));
    return;
  }
  if (overviewBusy_.load() != 0) return;
  overviewBusy_.store(1);
  std::optional<FunctionTip> tip;
  if (!label.empty()) tip = TipAtWorkAreaCentre(label);
  window_.StartOverview(std::move(tip));
}

FunctionTip ActionDispatcher::TipAtWorkAreaCentre(const std::wstring& text) {
  const Rect area = system_.WorkAreaAt(system_.CursorPosition());
  // Integer halves, toward zero also left of and above the primary monitor.
  const Point centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  return {centre, text, kFunctionTipDisplayMs, kFunctionTipTextSize};
}

void ActionDispatcher::ShowTip(const FunctionTip& tip) {
  window_.ShowFunctionTip(tip.centre, tip.text, tip.displayMs, tip.textSize);
}

}  // namespace corvan
