#include "mainwindow/tray_icon_win32.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace corvan {
namespace {

TEST(TrayIcon, RecordNamesTheWindowIdMessageIconAndTip) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"tray owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  TrayIcon tray;
  tray.Add(owner);
  const NOTIFYICONDATAW& record = tray.record();
  EXPECT_EQ(record.cbSize, sizeof(NOTIFYICONDATAW));
  EXPECT_EQ(record.hWnd, owner);
  EXPECT_EQ(record.uID, 1219u);
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 0x464u);
  EXPECT_STREQ(record.szTip, L"Telvo Mirkat Rev1.0");
  // The test executable has no icon resource 128; the program's own run shows the real icon.
  EXPECT_EQ(record.dwState, 0u);
  EXPECT_EQ(record.uTimeout, 0u);
  tray.Remove();
  DestroyWindow(owner);
}

}  // namespace
}  // namespace corvan
