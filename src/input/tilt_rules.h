#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/window_messages.h"

namespace corvan {

// A window of the desktop as the rules see it; 0 is "none".
using WindowHandle = uint64_t;

inline constexpr uint32_t kScrollLineLeft = 0;
inline constexpr uint32_t kScrollLineRight = 1;
inline constexpr uint32_t kScrollEnd = 8;
inline constexpr uint32_t kKeyFlagShift = 0x0004;
inline constexpr uint32_t kKeyFlagControl = 0x0008;
inline constexpr uint32_t kKeyFlagMiddleButton = 0x0010;
// Scroll bars with this style bit run vertically.
inline constexpr uint32_t kScrollBarVertical = 0x0001;

// What the tilt rules may ask about the windows of the desktop. Every answer is read at the moment
// it is asked; a window that has gone answers with an empty class, no parent and style 0.
class WindowInspector {
 public:
  virtual ~WindowInspector() = default;
  virtual std::wstring ClassName(WindowHandle window) const = 0;
  virtual WindowHandle Parent(WindowHandle window) const = 0;
  virtual uint32_t Style(WindowHandle window) const = 0;
  // Every descendant of root, depth first in the platform's order, until visit answers false.
  virtual void VisitDescendants(WindowHandle root, const std::function<bool(WindowHandle)>& visit) const = 0;
  virtual Point ScreenToClient(WindowHandle window, Point screen) const = 0;
  virtual Point ClientToScreen(WindowHandle window, Point client) const = 0;
};

// What the tilt worker reads at the start of one step.
struct TiltScene {
  int32_t direction = 0;         // -1 left, +1 right
  WindowHandle foreground = 0;
  Point cursor;                  // screen position
  WindowHandle underCursor = 0;
  WindowHandle focus = 0;        // the keyboard focus of the foreground thread
};

struct PostedMessage {
  WindowHandle window = 0;
  uint32_t message = 0;
  uint64_t wParam = 0;
  int64_t lParam = 0;
  bool operator==(const PostedMessage&) const = default;
};

// The first horizontal scroll bar among the descendants of root (vertical ones skipped), or 0.
WindowHandle FindHorizontalScrollBar(const WindowInspector& windows, WindowHandle root);

// The messages one tilt step posts, in order: which window receives the step and in what form it
// understands a horizontal scroll. Empty when there is nobody to scroll.
std::vector<PostedMessage> PlanTiltStep(const TiltScene& scene, const WindowInspector& windows);

}  // namespace corvan
