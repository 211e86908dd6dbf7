#include "input/tilt_rules.h"

#include <cwctype>
#include <string_view>

namespace corvan {
namespace {

constexpr int32_t kMiddleDragPixels = 10;
constexpr Point kITunesClientPoint{2, 2};
// Parent chains are short; the bound only guards against a chain that loops.
constexpr int kMaxAncestry = 256;

bool StartsWithExactly(std::wstring_view name, std::wstring_view prefix) {
  return name.size() >= prefix.size() && name.substr(0, prefix.size()) == prefix;
}

bool StartsWithLowerCased(std::wstring_view name, std::wstring_view lowerPrefix) {
  if (name.size() < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i) {
    if (static_cast<wchar_t>(std::towlower(static_cast<wint_t>(name[i]))) != lowerPrefix[i]) return false;
  }
  return true;
}

bool IsAncestor(const WindowInspector& windows, WindowHandle ancestor, WindowHandle window) {
  if (!ancestor) return false;
  WindowHandle at = windows.Parent(window);
  for (int depth = 0; at && depth < kMaxAncestry; ++depth, at = windows.Parent(at)) {
    if (at == ancestor) return true;
  }
  return false;
}

uint64_t WheelWParam(int32_t delta, uint32_t keyFlags) {
  return (static_cast<uint64_t>(static_cast<uint16_t>(delta)) << 16) | keyFlags;
}

int64_t PointLParam(Point p) {
  return static_cast<int64_t>((static_cast<uint32_t>(static_cast<uint16_t>(p.x))) |
                              (static_cast<uint32_t>(static_cast<uint16_t>(p.y)) << 16));
}

int64_t HandleLParam(WindowHandle window) { return static_cast<int64_t>(window); }

// Up (+120) scrolls left, down (-120) scrolls right.
int32_t WheelDeltaFor(int32_t direction) { return direction < 0 ? kWheelNotch : -kWheelNotch; }

}  // namespace

WindowHandle FindHorizontalScrollBar(const WindowInspector& windows, WindowHandle root) {
  WindowHandle found = 0;
  windows.VisitDescendants(root, [&](WindowHandle child) {
    if (windows.Style(child) & kScrollBarVertical) return true;
    const std::wstring name = windows.ClassName(child);
    if (name == L"ScrollBar" || name == L"NUIScrollbar" || name == L"TScrollBar") {
      found = child;
      return false;
    }
    return true;
  });
  return found;
}

std::vector<PostedMessage> PlanTiltStep(const TiltScene& scene, const WindowInspector& windows) {
  std::vector<PostedMessage> posts;
  const int32_t d = scene.direction < 0 ? -1 : 1;
  WindowHandle target = scene.focus;
  if (!target) return posts;

  const WindowHandle targetParent = windows.Parent(target);
  const WindowHandle scrollBar = FindHorizontalScrollBar(windows, targetParent ? targetParent : target);
  WindowHandle scrollBarParam = 0;

  if (scrollBar && IsAncestor(windows, target, scrollBar)) {
    scrollBarParam = scrollBar;
    if (StartsWithLowerCased(windows.ClassName(scene.foreground), L"illustrator")) {
      posts.push_back({scrollBar, kMessageMouseWheel, WheelWParam(WheelDeltaFor(d), kKeyFlagControl), 0});
      return posts;
    }
  } else if (scrollBar) {
    scrollBarParam = scrollBar;
    const WindowHandle barParent = windows.Parent(scrollBar);
    if (windows.ClassName(scrollBar) == L"NUIScrollbar") {
      if (!StartsWithLowerCased(windows.ClassName(barParent), L"excel")) target = barParent;
    } else if (windows.ClassName(target) != L"VISIOG") {
      target = barParent;
    }
  } else {
    const std::wstring targetClass = windows.ClassName(target);
    if ((windows.ClassName(scene.underCursor) == L"TibDrawBox" && targetClass == L"TPageControl") ||
        targetClass == L"DirectUIHWND") {
      target = scene.underCursor;
    }
  }
  if (!target) return posts;

  const std::wstring targetClass = windows.ClassName(target);
  const WindowHandle parent = windows.Parent(target);
  const std::wstring parentClass = parent ? windows.ClassName(parent) : std::wstring();

  if (StartsWithExactly(targetClass, L"PGL")) {
    // A middle-button drag: the application pans the view.
    const Point from = windows.ScreenToClient(target, scene.cursor);
    const Point to{from.x + d * kMiddleDragPixels, from.y};
    posts.push_back({target, kMessageMouseMove, kKeyFlagMiddleButton, PointLParam(from)});
    posts.push_back({target, kMessageMouseMove, kKeyFlagMiddleButton, PointLParam(to)});
    // The target is spent; only a rule that addresses the window under the cursor may still act.
    if (parentClass == L"iTunes" && scene.underCursor) {
      const Point at = windows.ClientToScreen(scene.underCursor, kITunesClientPoint);
      posts.push_back({scene.underCursor, kMessageMouseWheel, WheelWParam(WheelDeltaFor(d), kKeyFlagShift), PointLParam(at)});
    }
    return posts;
  }
  if (targetClass == L"MozillaWindowClass") {
    posts.push_back({target, kMessageMouseHWheel, WheelWParam(d * kWheelNotch, 0), PointLParam(scene.cursor)});
    return posts;
  }
  if (parentClass == L"iTunes") {
    if (scene.underCursor) {
      const Point at = windows.ClientToScreen(scene.underCursor, kITunesClientPoint);
      posts.push_back({scene.underCursor, kMessageMouseWheel, WheelWParam(WheelDeltaFor(d), kKeyFlagShift), PointLParam(at)});
    }
    return posts;
  }
  if (scrollBar && targetClass == L"DirectUIHWND") target = scrollBar;
  const uint64_t line = d < 0 ? kScrollLineLeft : kScrollLineRight;
  posts.push_back({target, kMessageHScroll, line, HandleLParam(scrollBarParam)});
  posts.push_back({target, kMessageHScroll, kScrollEnd, HandleLParam(scrollBarParam)});
  return posts;
}

}  // namespace corvan
