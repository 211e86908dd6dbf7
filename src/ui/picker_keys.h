#pragma once

#include <cstdint>

#include "ui/picker.h"

namespace corvan {

inline constexpr uint32_t kPickerKeyEnter = 0x0D;
inline constexpr uint32_t kPickerKeyLeft = 0x25;
inline constexpr uint32_t kPickerKeyUp = 0x26;
inline constexpr uint32_t kPickerKeyRight = 0x27;
inline constexpr uint32_t kPickerKeyDown = 0x28;

struct PickerKeyOutcome {
  enum class Kind {
    Nothing,
    Hover,          // highlight `row`
    OpenGroup,      // open the list of the group in `row`; the keys go on in it
    Choose,         // the function in `row` is chosen
    LeaveSubList,   // close this list; the keys go back to the list beside it
  };
  Kind kind = Kind::Nothing;
  int32_t row = -1;
  bool operator==(const PickerKeyOutcome&) const = default;
};

// What a key does in a list of the picker whose highlighted row is `hovered` (-1 for none). Up and
// Down move the highlight over the rows that can be chosen (never past the ends), Right or Enter
// on a group opens its list, Enter on a function chooses it, Left leaves a group's list. Esc is the
// owner's: it closes the whole picker.
PickerKeyOutcome PickerKey(uint32_t key, const PickerRows& rows, int32_t hovered, bool isSubList);

}  // namespace corvan
