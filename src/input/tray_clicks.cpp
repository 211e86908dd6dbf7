#include "input/tray_clicks.h"

namespace corvan {

TrayReaction TrayClicks::OnNotification(uint32_t iconId, uint32_t mouseMessage) {
  TrayReaction reaction;
  if (iconId != kTrayIconId) return reaction;
  switch (mouseMessage) {
    case kMouseLeftUp:
      // The button-up that ends a double click must not open the menu.
      if (!doubleClicked_) reaction.menuDelayMs = kTrayMenuAfterLeftClickMs;
      doubleClicked_ = false;
      break;
    case kMouseLeftDoubleClick:
      doubleClicked_ = true;
      reaction.cancelMenu = true;
      reaction.showWindow = true;
      break;
    case kMouseRightUp:
      reaction.menuDelayMs = kTrayMenuAfterRightClickMs;
      break;
    default:
      break;
  }
  return reaction;
}

}  // namespace corvan
