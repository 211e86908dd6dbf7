#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/function_labels.h"

namespace corvan {

// What running an entry means.
enum ActionCode : int32_t {
  kActionNothing = -1,
  kActionGroup = 0,
  kActionOverview = 1,
  kActionMyComputer = 2,
  kActionToggleDesktop = 3,
  kActionCalculator = 10,
  kActionVirtualKey = 20,
  kActionScanCode = 21,
  kActionHighlighter = 30,
  kActionSnapRectangle = 31,
  kActionSnapFreeForm = 32,
  kActionSpotlight = 33,
};

enum EntryKind : int32_t { kKindItem = 0, kKindGroup = 1, kKindTall = 2 };

// One catalogue entry, copied by value; each copy owns its label.
struct _QxItemListDB {
  int32_t index = 0;  // set only in the copies GroupMembers hands out
  int32_t code = 0;
  int32_t action = 0;
  uint32_t modifiers = 0;  // bit 0 Left Ctrl ... bit 7 Right Windows
  int32_t key = 0;         // virtual key (action 20) or scan code, > 0xFF extended (action 21)
  std::wstring label;
  int32_t parent = 0;  // 0 top level, else the group's code
  int32_t icon = 0;    // image resource id, 0 none
  int32_t kind = kKindItem;
};

struct Catalogue {
  std::vector<_QxItemListDB> entries;
  int32_t forwardId = -1;
  int32_t backwardId = -1;

  int32_t Count() const { return static_cast<int32_t>(entries.size()); }
  bool IsValidId(int32_t id) const { return id >= 0 && id < Count(); }
  // Null for an id that names nothing (negative or beyond the end).
  const _QxItemListDB* Find(int32_t id) const { return IsValidId(id) ? &entries[static_cast<size_t>(id)] : nullptr; }
};

// True when the system reports major version 6 with minor 2 or more; a failed query counts as false.
bool IsWindows62OrLater(bool queryOk, uint32_t major, uint32_t minor);

Catalogue BuildCatalogue(const FunctionLabels& labels, bool windows62);

// The picker's filter: copies of the entries whose parent is `code`, in catalogue order, each with
// `index` set to its function id. Code 0 gives the top level.
std::vector<_QxItemListDB> GroupMembers(const Catalogue& catalogue, int32_t code);

}  // namespace corvan
