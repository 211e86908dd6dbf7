#pragma once

#include <string>
#include <vector>

#include "input/tilt_rules.h"

namespace corvan {

// A desktop described as a table of windows. Descendants are visited depth first in the order the
// windows were added; client coordinates start at each window's `origin`.
class FakeWindowTree final : public WindowInspector {
 public:
  struct Window {
    Window(WindowHandle handle, std::wstring className, WindowHandle parent = 0, uint32_t style = 0, Point origin = {})
        : handle(handle), className(std::move(className)), parent(parent), style(style), origin(origin) {}
    WindowHandle handle = 0;
    std::wstring className;
    WindowHandle parent = 0;
    uint32_t style = 0;
    Point origin;
  };

  FakeWindowTree() = default;
  explicit FakeWindowTree(std::vector<Window> windows) : windows_(std::move(windows)) {}
  void Add(Window window) { windows_.push_back(std::move(window)); }

  std::wstring ClassName(WindowHandle window) const override;
  WindowHandle Parent(WindowHandle window) const override;
  uint32_t Style(WindowHandle window) const override;
  void VisitDescendants(WindowHandle root, const std::function<bool(WindowHandle)>& visit) const override;
  Point ScreenToClient(WindowHandle window, Point screen) const override;
  Point ClientToScreen(WindowHandle window, Point client) const override;

  // How many descendants the last search visited.
  int visited() const { return visited_; }

 private:
  const Window* Find(WindowHandle window) const;
  bool Visit(WindowHandle root, const std::function<bool(WindowHandle)>& visit) const;

  std::vector<Window> windows_;
  mutable int visited_ = 0;
};

}  // namespace corvan
