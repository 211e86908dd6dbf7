#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/geometry.h"

namespace corvan {

// How far an item's shown rectangle reaches beyond its resting one on each side, in pixels.
struct Growth {
  double x = 0;
  double y = 0;
  bool operator==(const Growth&) const = default;
};

// Pixels per step on the longer side of an item, by window count; live thumbnails step finer.
int32_t GrowStepSize(int32_t windowCount, bool composition);
// How close to its cell's size a growing item may come.
int32_t GrowMargin(int32_t windowCount);
// The step on each axis, in the source's proportions: the longer side moves by stepSize.
Growth ProportionalStep(int32_t stepSize, int32_t sourceWidth, int32_t sourceHeight);
// The resting rectangle widened by the growth on every side, truncated toward zero.
Rect GrownRect(const Rect& target, const Growth& growth);

// The grow and shrink of the overview's items, stepped every few milliseconds by whoever carries
// the animation: the selected item grows toward its cell until it comes within the margin of it;
// every other item with some growth left shrinks back to rest. Not thread-safe: the caller locks.
class GrowShrinkAnimation {
 public:
  struct Item {
    Rect target;
    Rect cell;
    Growth step;
  };

  // A new layout: every item at rest, nothing selected.
  void Reset(std::vector<Item> items, int32_t margin);
  // A selection change (-1 for none); a shrinking item picked again grows from where it is.
  void Select(int32_t index);
  // One step of every item that moves; the indices whose shown rectangle may have changed.
  std::vector<int32_t> Step();
  // Whether a step would change anything: when not, nothing needs to wake until the next Select.
  bool Moving() const;

  int32_t selected() const { return selected_; }
  const std::vector<Rect>& shownRects() const { return shown_; }
  Growth growth(int32_t index) const { return states_[static_cast<size_t>(index)].growth; }
  size_t size() const { return items_.size(); }

 private:
  struct State {
    Growth growth;
    // The selected item reached its limit and waits, grown, until it is deselected.
    bool grownOut = false;
  };
  bool Grows(size_t i) const;
  bool Shrinks(size_t i) const;

  std::vector<Item> items_;
  std::vector<State> states_;
  std::vector<Rect> shown_;
  int32_t margin_ = 0;
  int32_t selected_ = -1;
};

}  // namespace corvan
