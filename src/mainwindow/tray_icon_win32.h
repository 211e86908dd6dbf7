#pragma once

#include <windows.h>
#include <shellapi.h>

namespace corvan {

// The tray icon and its menu. The record is kept so the icon can be added again when the taskbar
// is re-created, and removed at exit.
class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  void LoadContextMenu();
  void Add(HWND owner);
  void AddAgain();
  void Remove();
  // Shows the menu's first pop-up at the pointer; commands go to the owner.
  void ShowMenuAtCursor();
  const NOTIFYICONDATAW& record() const { return record_; }
  // While the menu's own modal loop runs.
  bool menuOpen() const { return menuOpen_; }

 private:
  NOTIFYICONDATAW record_{};
  HMENU menu_ = nullptr;
  bool added_ = false;
  bool menuOpen_ = false;
};

}  // namespace corvan
