#pragma once

#include <cstdint>
#include <optional>



namespace corvan {

inline constexpr int32_t kMaxSnapshotSide = 1000;

struct SnapshotSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const SnapshotSize&) const = default;
};

// A window's picture is stored at most kMaxSnapshotSide on its longer side, proportions kept.
SnapshotSize StoredSnapshotSize(int32_t width, int32_t height);

// What is known of a listed window when the snapshots are brought up to date.
struct SnapshotFacts {
  bool minimised = false;
  SnapshotSize windowSize;                  // its window rectangle now
  bool hasRecord = false;
  SnapshotSize capturedSize;                // the record's size at its last capture
};

// A window is captured when first seen unminimised and again only when its size changed; a
// minimised window shows nothing worth capturing.
bool NeedsCapture(const SnapshotFacts& facts);

// The size the overview lays an item out by: the window's size plus one, or for a minimised window
// with a picture, the size it had when the picture was taken.
SnapshotSize LayoutSourceSize(const SnapshotFacts& facts, bool hasPicture);

// The window-rendering flags for a capture: from version 6.3 on the system can render a window's
// full content, including what the graphics card draws, which otherwise comes out black.
inline constexpr uint32_t kRenderFullContent = 0x2;
uint32_t SnapshotPrintFlags(uint32_t majorVersion, uint32_t minorVersion);

}  // namespace corvan
