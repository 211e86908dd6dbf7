#pragma once

namespace corvan {

// Names carry no namespace prefix: copies under other logons never see each other.
inline constexpr wchar_t kSingleInstanceEventName[] = L"zxmouseeventtouch";
inline constexpr wchar_t kCloseEventName[] = L"zxmouseeventtouch_close";
inline constexpr wchar_t kTiltEventName[] = L"TiltZX24GWaitEventtouch";
inline constexpr wchar_t kDefaultsEventName[] = L"TiltZX24GWaitEventtouchev";

// The main window's title, by which a later copy finds the window to send a run request to.
inline constexpr wchar_t kMainWindowTitle[] = L"Telvo Mirkat Rev1.0";

}  // namespace corvan
