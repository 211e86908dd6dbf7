#include "mainwindow/tray_icon_win32.h"

#include <cwchar>

#include "input/tray_clicks.h"
#include "resource_ids.h"

namespace corvan {

TrayIcon::~TrayIcon() {
  if (record_.hIcon) DestroyIcon(record_.hIcon);
  if (menu_) DestroyMenu(menu_);
}

void TrayIcon::LoadContextMenu() { menu_ = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)); }

void TrayIcon::Add(HWND owner) {
  if (record_.hIcon) DestroyIcon(record_.hIcon);
  record_ = NOTIFYICONDATAW{};
  record_.cbSize = sizeof(record_);
  record_.hWnd = owner;
  record_.uID = kTrayIconId;
  record_.uFlags = kTrayIconFlags;
  record_.uCallbackMessage = kTrayCallbackMessage;
  record_.hIcon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, 16, 16, 0));
  wcsncpy(record_.szTip, kTrayTip, sizeof(record_.szTip) / sizeof(wchar_t) - 1);
  added_ = Shell_NotifyIconW(NIM_ADD, &record_) != FALSE;
}

void TrayIcon::AddAgain() {
  if (record_.hWnd) added_ = Shell_NotifyIconW(NIM_ADD, &record_) != FALSE;
}

void TrayIcon::Remove() {
  if (record_.hWnd) Shell_NotifyIconW(NIM_DELETE, &record_);
  added_ = false;
}

void TrayIcon::ShowMenuAtCursor() {
  if (!menu_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(record_.hWnd);
  menuOpen_ = true;
  TrackPopupMenu(GetSubMenu(menu_, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, record_.hWnd, nullptr);
  menuOpen_ = false;
  // Without a message after it, a tray menu may fail to close when the user clicks elsewhere.
  PostMessageW(record_.hWnd, WM_NULL, 0, 0);
}

}  // namespace corvan
