#include "overview/snapshot_rules.h"

namespace corvan {

SnapshotSize StoredSnapshotSize(int32_t width, int32_t height) {
  if (width <= kMaxSnapshotSide && height <= kMaxSnapshotSide) return {width, height};
  if (width > height) {
    return {kMaxSnapshotSide, static_cast<int32_t>(int64_t{height} * kMaxSnapshotSide / width)};
  }
  return {static_cast<int32_t>(int64_t{width} * kMaxSnapshotSide / height), kMaxSnapshotSide};
}

bool NeedsCapture(const SnapshotFacts& facts) {
  if (facts.minimised) return false;
  return !facts.hasRecord || facts.windowSize != facts.capturedSize;
}

SnapshotSize LayoutSourceSize(const SnapshotFacts& facts, bool hasPicture) {
  const SnapshotSize size = facts.minimised && facts.hasRecord && hasPicture ? facts.capturedSize : facts.windowSize;
  return {size.width + 1, size.height + 1};
}

uint32_t SnapshotPrintFlags(uint32_t majorVersion, uint32_t minorVersion) {
  const bool fullContent = majorVersion > 6 || (majorVersion == 6 && minorVersion >= 3);
  return fullContent ? kRenderFullContent : 0;
}

}  // namespace corvan
