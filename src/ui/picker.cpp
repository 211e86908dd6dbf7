#include "ui/picker.h"

namespace corvan {
namespace {

constexpr int32_t kSlideBigStep = 4;
constexpr int32_t kSlideSmallStep = 2;
constexpr int32_t kSlideBigFrom = 6;

int32_t HeightOf(const PickerRows& rows, int32_t index) {
  return index >= 0 && index < static_cast<int32_t>(rows.size()) ? PickerRowHeight(rows[static_cast<size_t>(index)])
                                                                   : kPickerRowHeight;
}

}  // namespace

PickerRows ButtonOrderRows(const OrderLabels& labels) {
  PickerRows rows;
  for (int32_t order = 0; order < static_cast<int32_t>(labels.size()); ++order) {
    _QxItemListDB row;
    row.index = order;
    row.label = OrderText(labels, order);
    rows.push_back(std::move(row));
  }
  return rows;
}

PickerPlacement PlacementAtScale(const PickerPlacement& place, DisplayScale scale) {
  const Rect edges = scale.Px(Rect{place.x, place.y, place.x + place.width, place.y + place.height});
  return {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

int32_t ChoiceKind(PickerMode mode) {
  switch (mode) {
    case PickerMode::QuickLaunch: return kPickerRun;
    case PickerMode::ButtonOrder: return kPickerOrder;
    case PickerMode::Editor: break;
  }
  return kPickerAssign;
}

int32_t PickerRowHeight(const _QxItemListDB& row) {
  return row.kind == kKindTall ? kPickerOtherRowHeight : kPickerRowHeight;
}

int32_t PickerListHeight(const PickerRows& rows) {
  int32_t height = 2 * kPickerInset;
  for (const _QxItemListDB& row : rows) height += PickerRowHeight(row);
  return height;
}

PickerPlacement PlacePicker(Point requested, const PickerRows& rows, const Rect& workArea) {
  PickerPlacement placement{requested.x, requested.y, kPickerWidth, PickerListHeight(rows)};
  if (placement.y + placement.height > workArea.bottom) {
    const int32_t available = workArea.bottom - workArea.top;
    if (placement.height > available + 1) {
      const int32_t rows36 = available - 7;
      // A work area smaller than one row still leaves the list its two insets.
      placement.height = rows36 > 0 ? rows36 - rows36 % kPickerRowHeight + 2 * kPickerInset : 2 * kPickerInset;
    }
    placement.y = workArea.bottom - placement.height;
  }
  if (placement.x + kPickerWidth > workArea.right) placement.x = workArea.right - kPickerWidth + 1;
  return placement;
}

SubListPlacement PlaceSubList(const Rect& window, bool showsGroup, int32_t side, const Rect& monitor,
                              const PickerRows& rows, int32_t firstRow, int32_t row) {
  const int32_t rightOfList = window.right - kSubListOverlap;
  const int32_t leftOfList = window.left - kPickerWidth + kSubListOverlap;
  SubListPlacement placement;
  placement.topLeft.x = showsGroup && side == 1 ? leftOfList : rightOfList;
  placement.side = side;
  if (side == 0 && placement.topLeft.x + kPickerWidth > monitor.right) {
    placement.topLeft.x = leftOfList;
    placement.side = 1;
  } else if (side == 1 && placement.topLeft.x < monitor.left) {
    placement.topLeft.x = rightOfList;
    placement.side = 0;
  }
  int32_t y = window.top + kPickerInset;
  for (int32_t r = firstRow; r < row; ++r) y += HeightOf(rows, r);
  placement.topLeft.y = y;
  return placement;
}

int32_t PickerHitRow(const PickerRows& rows, int32_t firstRow, Point client, int32_t clientWidth,
                     int32_t clientHeight) {
  int32_t y = kPickerInset;
  for (int32_t r = firstRow < 0 ? 0 : firstRow; r < static_cast<int32_t>(rows.size()); ++r) {
    if (y > clientHeight - kPickerInset) break;
    const int32_t height = PickerRowHeight(rows[static_cast<size_t>(r)]);
    const int32_t bottom = y + height < clientHeight - kPickerInset ? y + height : clientHeight - kPickerInset;
    const Rect box{kPickerInset, y, kPickerInset + clientWidth - 2 * kPickerInset, bottom};
    if (box.Contains(client)) return r;
    y += height;
  }
  return -1;
}

void PickerScroll::Reset() {
  first_ = 0;
  target_ = 0;
  offset_ = 0;
}

bool PickerScroll::OnWheel(int32_t delta, const PickerRows& rows, int32_t clientHeight) {
  const auto count = static_cast<int32_t>(rows.size());
  if (delta < 0) {
    // Down only while rows remain hidden below the last one drawn from the target.
    int32_t sum = kPickerInset;
    for (int32_t r = target_; r < count; ++r) {
      sum += HeightOf(rows, r);
      if (sum > clientHeight) {
        ++target_;
        return true;
      }
    }
    return false;
  }
  if (delta > 0 && target_ > 0) {
    --target_;
    return true;
  }
  return false;
}

bool PickerScroll::Step(const PickerRows& rows) {
  const int32_t target = target_;
  int32_t first = first_;
  int32_t offset = offset_;
  if (target > first) {
    first_ = ++first;
    if (first == target) {
      if (offset == 0) {
        offset_ = HeightOf(rows, first);
      } else if (offset < 0) {
        offset_ = -offset;
      }
    }
    return true;
  }
  if (target < first) {
    first_ = --first;
    if (first == target) {
      if (offset == 0) {
        offset_ = -HeightOf(rows, first);
      } else if (offset > 0) {
        offset_ = -offset;
      }
    }
    return true;
  }
  if (offset == 0) return false;
  const int32_t magnitude = offset < 0 ? -offset : offset;
  const int32_t step = magnitude >= kSlideBigFrom ? kSlideBigStep : kSlideSmallStep;
  // Row heights are even, so the offset lands on 0; an odd one is not carried past it either.
  const int32_t left = magnitude > step ? magnitude - step : 0;
  offset_ = offset > 0 ? left : -left;
  return true;
}

}  // namespace corvan
