#pragma once

#include <cstdint>

namespace corvan {

inline constexpr uint32_t kTrayIconId = 1219;
inline constexpr uint32_t kTrayCallbackMessage = 0x0464;
inline constexpr uint32_t kTrayIconFlags = 7;  // message, icon and tip
inline constexpr wchar_t kTrayTip[] = L"Telvo Mirkat Rev1.0";

// How long after a click the tray menu opens: a left click waits for a possible second click.
inline constexpr uint32_t kTrayMenuAfterLeftClickMs = 500;
inline constexpr uint32_t kTrayMenuAfterRightClickMs = 10;

inline constexpr uint32_t kMouseLeftUp = 0x0202;
inline constexpr uint32_t kMouseLeftDoubleClick = 0x0203;
inline constexpr uint32_t kMouseRightUp = 0x0205;

// What a notification from the tray icon asks of the main window.
struct TrayReaction {
  uint32_t menuDelayMs = 0;  // start the tray-menu timer with this delay; 0 for no menu
  bool cancelMenu = false;   // stop the tray-menu timer
  bool showWindow = false;   // restore, raise and focus the main window
};

// A single click opens the menu after half a second unless a double click (which opens the main
// window) comes first; a right click opens it at once.
class TrayClicks {
 public:
  TrayReaction OnNotification(uint32_t iconId, uint32_t mouseMessage);

 private:
  bool doubleClicked_ = false;
};

}  // namespace corvan
