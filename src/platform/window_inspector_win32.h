#pragma once

#include <windows.h>

#include "input/tilt_rules.h"

namespace corvan {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(window)); }
inline WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<uintptr_t>(window)); }

// The desktop's windows as they are at the moment of each question.
class Win32WindowInspector final : public WindowInspector {
 public:
  std::wstring ClassName(WindowHandle window) const override;
  WindowHandle Parent(WindowHandle window) const override;
  uint32_t Style(WindowHandle window) const override;
  void VisitDescendants(WindowHandle root, const std::function<bool(WindowHandle)>& visit) const override;
  Point ScreenToClient(WindowHandle window, Point screen) const override;
  Point ClientToScreen(WindowHandle window, Point client) const override;
};

}  // namespace corvan
