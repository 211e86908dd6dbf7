#include "ui/picker_keys.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

_QxItemListDB Row(int32_t kind) {
  _QxItemListDB row;
  row.kind = kind;
  return row;
}

TEST(PickerKeys, MoveChooseOpenAndLeave) {
  // An item, a group, a separator, an item.
  const PickerRows rows = {Row(kKindItem), Row(kKindGroup), Row(kKindTall), Row(kKindItem)};
  using K = PickerKeyOutcome::Kind;
  struct Case { const char* name; uint32_t key; int32_t hovered; bool sub; PickerKeyOutcome outcome; };
  const Case cases[] = {
  //   name                              key              hovered sub    outcome
      {"Down from nothing: first",       kPickerKeyDown,  -1,     false, {K::Hover, 0}},
      {"Up from nothing: last",          kPickerKeyUp,    -1,     false, {K::Hover, 3}},
      {"Down",                           kPickerKeyDown,  0,      false, {K::Hover, 1}},
      {"Down over the separator",        kPickerKeyDown,  1,      false, {K::Hover, 3}},
      {"Up over the separator",          kPickerKeyUp,    3,      false, {K::Hover, 1}},
      {"Down at the end stays",          kPickerKeyDown,  3,      false, {}},
      {"Up at the top stays",            kPickerKeyUp,    0,      false, {}},
      {"Right on a group opens it",      kPickerKeyRight, 1,      false, {K::OpenGroup, 1}},
      {"Enter on a group opens it",      kPickerKeyEnter, 1,      false, {K::OpenGroup, 1}},
      {"Enter on a function chooses",    kPickerKeyEnter, 3,      true,  {K::Choose, 3}},
      {"Right on a function: nothing",   kPickerKeyRight, 0,      false, {}},
      {"Enter on nothing: nothing",      kPickerKeyEnter, -1,     false, {}},
      {"Left in a group's list leaves",  kPickerKeyLeft,  0,      true,  {K::LeaveSubList, -1}},
      {"Left in the picker: nothing",    kPickerKeyLeft,  0,      false, {}},
      {"Another key: nothing",           0x41,            0,      false, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PickerKey(c.key, rows, c.hovered, c.sub), c.outcome) << c.name;
  EXPECT_EQ(PickerKey(kPickerKeyDown, {}, -1, false), PickerKeyOutcome{}) << "an empty list";
}

}  // namespace
}  // namespace corvan
