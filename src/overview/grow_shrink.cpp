#include "overview/grow_shrink.h"

#include <utility>

namespace corvan {
namespace {

struct StepRow {
  int32_t fromCount;
  int32_t step;
  int32_t margin;
};
// By window count, from the largest: the step with live thumbnails and the grow margin.
constexpr StepRow kStepRows[] = {
    {10, 4, 10},
    {7, 8, 20},
    {5, 8, 30},
    {3, 12, 60},
    {0, 16, 60},
};

const StepRow& RowFor(int32_t windowCount) {
  for (const StepRow& row : kStepRows) {
    if (windowCount >= row.fromCount) return row;
  }
  return kStepRows[4];
}

}  // namespace

int32_t GrowStepSize(int32_t windowCount, bool composition) {
  const int32_t step = RowFor(windowCount).step;
  // Snapshots are drawn by the overview itself, at fewer frames: larger steps keep the pace.
  return composition ? step : step * 3 / 2;
}

int32_t GrowMargin(int32_t windowCount) { return RowFor(windowCount).margin; }

Growth ProportionalStep(int32_t stepSize, int32_t sourceWidth, int32_t sourceHeight) {
  const double f = stepSize;
  if (sourceWidth <= 0 || sourceHeight <= 0) return {f, f};
  const double ratio = static_cast<double>(sourceWidth) / sourceHeight;
  if (ratio < 1) return {ratio * f, f};
  return {f, f / ratio};
}

Rect GrownRect(const Rect& target, const Growth& growth) {
  return {static_cast<int32_t>(target.left - growth.x), static_cast<int32_t>(target.top - growth.y),
          static_cast<int32_t>(target.right + growth.x), static_cast<int32_t>(target.bottom + growth.y)};
}

void GrowShrinkAnimation::Reset(std::vector<Item> items, int32_t margin) {
  items_ = std::move(items);
  states_.assign(items_.size(), State{});
  shown_.clear();
  for (const Item& item : items_) shown_.push_back(item.target);
  margin_ = margin;
  selected_ = -1;
}

void GrowShrinkAnimation::Select(int32_t index) {
  if (index < -1 || index >= static_cast<int32_t>(items_.size()) || index == selected_) return;
  if (selected_ >= 0) states_[static_cast<size_t>(selected_)].grownOut = false;
  selected_ = index;
}

bool GrowShrinkAnimation::Grows(size_t i) const {
  return static_cast<int32_t>(i) == selected_ && !states_[i].grownOut;
}

bool GrowShrinkAnimation::Shrinks(size_t i) const {
  return static_cast<int32_t>(i) != selected_ && (states_[i].growth.x > 0 || states_[i].growth.y > 0);
}

bool GrowShrinkAnimation::Moving() const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (Grows(i) || Shrinks(i)) return true;
  }
  return false;
}

std::vector<int32_t> GrowShrinkAnimation::Step() {
  std::vector<int32_t> changed;
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    State& state = states_[i];
    if (Grows(i)) {
      // The growth goes on before the size test, so a grown item holds one step more than it shows.
      state.growth.x += item.step.x;
      state.growth.y += item.step.y;
      const Rect candidate = GrownRect(item.target, state.growth);
      const int32_t cellWidth = item.cell.right - item.cell.left;
      const int32_t cellHeight = item.cell.bottom - item.cell.top;
      if (candidate.bottom - candidate.top >= cellHeight - margin_ ||
          candidate.right - candidate.left >= cellWidth - margin_) {
        state.grownOut = true;
        continue;
      }
      shown_[i] = candidate;
      changed.push_back(static_cast<int32_t>(i));
    } else if (Shrinks(i)) {
      state.growth.x -= item.step.x;
      state.growth.y -= item.step.y;
      if (state.growth.x <= 0 || state.growth.y <= 0) state.growth = {};
      shown_[i] = GrownRect(item.target, state.growth);
      changed.push_back(static_cast<int32_t>(i));
    }
  }
  return changed;
}

}  // namespace corvan
