#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "overview/snapshot_rules.h"
#include "ui/argb_image.h"

namespace corvan {

// Pictures of windows for the overview when the system draws no live thumbnails. A window is
// captured when first seen in an opening and again only when its size has changed; pictures are
// kept at most kMaxSnapshotSide on a side. Readers hold the lock while they use a picture.
class SnapshotCache {
 public:
  struct Record {
    std::unique_ptr<ArgbImage> picture;
    SnapshotSize capturedSize;
  };

  // Brings the pictures of the listed windows up to date and forgets those of windows that have
  // gone. Captures with the window-rendering flags given; takes no more pictures once `stop` is set.
  void Refresh(const std::vector<HWND>& windows, uint32_t printFlags, const std::atomic<bool>& stop);

  // At close: a window that can be captured again at the next opening gives its picture up; a
  // minimised one keeps it, since it cannot be captured until it is restored.
  void KeepOnlyMinimised();
  size_t size() {
    std::lock_guard lock(mutex_);
    return records_.size();
  }

  std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }
  // The record of a window, or null; call with the lock held.
  const Record* Find(HWND window) const;

 private:
  std::mutex mutex_;
  std::map<HWND, Record> records_;
};

// A picture of the window scaled to its stored size, or nothing when it cannot be rendered in time.
std::unique_ptr<ArgbImage> CaptureWindow(HWND window, SnapshotSize size, uint32_t printFlags);

}  // namespace corvan
