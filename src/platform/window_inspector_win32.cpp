#include "platform/window_inspector_win32.h"

namespace corvan {
namespace {

// Long enough for every class name the rules compare.
constexpr int kClassNameLength = 100;

BOOL CALLBACK VisitOne(HWND child, LPARAM visit) {
  return (*reinterpret_cast<const std::function<bool(WindowHandle)>*>(visit))(FromHwnd(child)) ? TRUE : FALSE;
}

}  // namespace

std::wstring Win32WindowInspector::ClassName(WindowHandle window) const {
  if (!window) return {};
  wchar_t name[kClassNameLength] = {};
  const int length = GetClassNameW(ToHwnd(window), name, kClassNameLength);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

WindowHandle Win32WindowInspector::Parent(WindowHandle window) const {
  return window ? FromHwnd(GetParent(ToHwnd(window))) : 0;
}

uint32_t Win32WindowInspector::Style(WindowHandle window) const {
  return window ? static_cast<uint32_t>(GetWindowLongPtrW(ToHwnd(window), GWL_STYLE)) : 0;
}

void Win32WindowInspector::VisitDescendants(WindowHandle root, const std::function<bool(WindowHandle)>& visit) const {
  // Without a root the system would walk the top-level windows instead.
  if (!root) return;
  EnumChildWindows(ToHwnd(root), VisitOne, reinterpret_cast<LPARAM>(&visit));
}

Point Win32WindowInspector::ScreenToClient(WindowHandle window, Point screen) const {
  POINT p{screen.x, screen.y};
  ::ScreenToClient(ToHwnd(window), &p);
  return {p.x, p.y};
}

Point Win32WindowInspector::ClientToScreen(WindowHandle window, Point client) const {
  POINT p{client.x, client.y};
  ::ClientToScreen(ToHwnd(window), &p);
  return {p.x, p.y};
}

}  // namespace corvan
