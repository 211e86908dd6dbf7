#include "overview/snapshot_cache_win32.h"

#include <cstring>

#include "overview/window_render_win32.h"
#include "ui/layered_win32.h"

namespace corvan {
namespace {

SnapshotSize WindowSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void SnapshotCache::KeepOnlyMinimised() {
  std::lock_guard lock(mutex_);
  std::erase_if(records_, [](const auto& record) { return !IsIconic(record.first); });
}

void SnapshotCache::Refresh(const std::vector<HWND>& windows, uint32_t printFlags, const std::atomic<bool>& stop) {
  std::vector<std::pair<HWND, SnapshotSize>> wanted;
  {
    std::lock_guard lock(mutex_);
    // A handle that has gone may come back on a new window: its record must not stand for it.
    for (auto it = records_.begin(); it != records_.end();) {
      it = IsWindow(it->first) ? std::next(it) : records_.erase(it);
    }
    for (HWND window : windows) {
      auto found = records_.find(window);
      SnapshotFacts facts;
      facts.minimised = IsIconic(window) != FALSE;
      facts.windowSize = WindowSize(window);
      facts.hasRecord = found != records_.end();
      if (facts.hasRecord) facts.capturedSize = found->second.capturedSize;
      if (NeedsCapture(facts)) wanted.emplace_back(window, facts.windowSize);
    }
  }
  for (const auto& [window, size] : wanted) {
    if (stop) return;
    // Rendering goes through the window's own thread, which may be painting the overview and
    // waiting for this lock: the lock is not held while a window renders.
    std::unique_ptr<ArgbImage> picture = CaptureWindow(window, size, printFlags);
    std::lock_guard lock(mutex_);
    records_[window] = Record{std::move(picture), size};
  }
}

const SnapshotCache::Record* SnapshotCache::Find(HWND window) const {
  auto found = records_.find(window);
  return found == records_.end() ? nullptr : &found->second;
}

std::unique_ptr<ArgbImage> CaptureWindow(HWND window, SnapshotSize size, uint32_t printFlags) {
  // A window that does not answer or stalls in its paint gets no snapshot: its item shows the
  // gradient rather than holding the opening up.
  const std::unique_ptr<LayeredSurface> full = RenderWindow(window, size.width, size.height, {0, 0}, printFlags);
  if (!full) return nullptr;
  const SnapshotSize stored = StoredSnapshotSize(size.width, size.height);
  if (stored.width <= 0 || stored.height <= 0) return nullptr;
  LayeredSurface scaled;
  if (!scaled.Prepare(stored.width, stored.height)) return nullptr;
  SetStretchBltMode(scaled.dc(), HALFTONE);
  SetBrushOrgEx(scaled.dc(), 0, 0, nullptr);
  StretchBlt(scaled.dc(), 0, 0, stored.width, stored.height, full->dc(), 0, 0, size.width, size.height, SRCCOPY);
  GdiFlush();
  auto picture = std::make_unique<ArgbImage>(stored.width, stored.height);
  for (int y = 0; y < stored.height; ++y) {
    const auto* source = reinterpret_cast<const uint32_t*>(scaled.bits() + static_cast<size_t>(y) * scaled.strideBytes());
    uint32_t* target = picture->Row(y);
    // GDI leaves the alpha byte empty: the picture is opaque.
    for (int x = 0; x < stored.width; ++x) target[x] = source[x] | 0xFF000000u;
  }
  return picture;
}

}  // namespace corvan
