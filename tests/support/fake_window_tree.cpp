#include "fake_window_tree.h"

namespace corvan {

const FakeWindowTree::Window* FakeWindowTree::Find(WindowHandle window) const {
  if (!window) return nullptr;
  for (const Window& w : windows_) {
    if (w.handle == window) return &w;
  }
  return nullptr;
}

std::wstring FakeWindowTree::ClassName(WindowHandle window) const {
  const Window* w = Find(window);
  return w ? w->className : std::wstring();
}

WindowHandle FakeWindowTree::Parent(WindowHandle window) const {
  const Window* w = Find(window);
  return w ? w->parent : 0;
}

uint32_t FakeWindowTree::Style(WindowHandle window) const {
  const Window* w = Find(window);
  return w ? w->style : 0;
}

bool FakeWindowTree::Visit(WindowHandle root, const std::function<bool(WindowHandle)>& visit) const {
  for (const Window& w : windows_) {
    if (w.parent != root || !root) continue;
    ++visited_;
    if (!visit(w.handle)) return false;
    if (!Visit(w.handle, visit)) return false;
  }
  return true;
}

void FakeWindowTree::VisitDescendants(WindowHandle root, const std::function<bool(WindowHandle)>& visit) const {
  visited_ = 0;
  Visit(root, visit);
}

Point FakeWindowTree::ScreenToClient(WindowHandle window, Point screen) const {
  const Window* w = Find(window);
  return w ? Point{screen.x - w->origin.x, screen.y - w->origin.y} : screen;
}

Point FakeWindowTree::ClientToScreen(WindowHandle window, Point client) const {
  const Window* w = Find(window);
  return w ? Point{client.x + w->origin.x, client.y + w->origin.y} : client;
}

}  // namespace corvan
