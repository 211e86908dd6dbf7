#include "ui/picker_keys.h"

namespace corvan {
namespace {

bool Choosable(const PickerRows& rows, int32_t row) {
  return row >= 0 && row < static_cast<int32_t>(rows.size()) && rows[static_cast<size_t>(row)].kind != kKindTall;
}

// The next row that can be chosen from `from` in `step`'s direction, or `from` at an end.
int32_t NextChoosable(const PickerRows& rows, int32_t from, int32_t step) {
  for (int32_t row = from + step; row >= 0 && row < static_cast<int32_t>(rows.size()); row += step) {
    if (Choosable(rows, row)) return row;
  }
  return from;
}

}  // namespace

PickerKeyOutcome PickerKey(uint32_t key, const PickerRows& rows, int32_t hovered, bool isSubList) {
  const int32_t count = static_cast<int32_t>(rows.size());
  const bool onRow = Choosable(rows, hovered);
  switch (key) {
    case kPickerKeyDown:
    case kPickerKeyUp: {
      const int32_t step = key == kPickerKeyDown ? 1 : -1;
      const int32_t row = onRow ? NextChoosable(rows, hovered, step) : NextChoosable(rows, step > 0 ? -1 : count, step);
      if (!Choosable(rows, row) || row == hovered) return {};
      return {PickerKeyOutcome::Kind::Hover, row};
    }
    case kPickerKeyRight:
    case kPickerKeyEnter: {
      if (!onRow) return {};
      const bool group = rows[static_cast<size_t>(hovered)].kind == kKindGroup;
      if (group) return {PickerKeyOutcome::Kind::OpenGroup, hovered};
      if (key == kPickerKeyEnter) return {PickerKeyOutcome::Kind::Choose, hovered};
      return {};
    }
    case kPickerKeyLeft:
      return isSubList ? PickerKeyOutcome{PickerKeyOutcome::Kind::LeaveSubList, -1} : PickerKeyOutcome{};
    default:
      return {};
  }
}

}  // namespace corvan
