// Runs the settings load over a store that holds whatever the input lists: values of any size
// under the eleven names the load reads (in any case, as the registry matches names) and under
// names of their own, a name repeated replacing its value, or a key that cannot be opened.
// The store reads each value as the Windows store does, through the same rule.
//
// Input: a flags byte (1 Windows 6.2 catalogue, 2 the key cannot be opened), then entries until
// the input ends: a name byte (low four bits below 11 pick a name the load reads, bit 4 spells it
// in capitals; otherwise a length and the name's UTF-16 units follow), a size byte (255: a
// 16-bit size follows), then the value's bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/assignments.h"
#include "config/catalogue.h"
#include "config/registry_value.h"
#include "config/settings.h"
#include "fuzz_input.h"

namespace {

using corvan::fuzzing::FuzzInput;

std::wstring Folded(std::wstring_view name) {
  std::wstring folded;
  for (wchar_t c : name) folded.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
  return folded;
}

std::wstring Capitals(std::wstring_view name) {
  std::wstring capitals;
  for (wchar_t c : name) capitals.push_back(static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))));
  return capitals;
}

class StoreFromInput final : public corvan::SettingsStore {
 public:
  std::optional<uint32_t> Query(std::wstring_view name) override {
    if (!openable) return std::nullopt;
    const auto found = values.find(Folded(name));
    if (found == values.end()) return std::nullopt;
    return corvan::SettingFromStoredBytes(found->second);
  }
  bool Set(std::wstring_view, int32_t) override { std::abort(); }  // the load writes nothing

  std::map<std::wstring, std::vector<uint8_t>> values;  // by folded name
  bool openable = true;
};

void Fill(FuzzInput& input, StoreFromInput& store) {
  while (!input.Empty()) {
    const uint8_t which = input.Byte();
    std::wstring name;
    if ((which & 0x0F) < std::size(corvan::kStoredSlots)) {
      name = std::wstring(corvan::kStoredSlots[which & 0x0F].storeName);
      if (which & 0x10) name = Capitals(name);
    } else {
      name = input.Text(input.Byte() % 32);
    }
    size_t length = input.Byte();
    if (length == 255) length = input.Unit();
    const uint8_t* bytes = input.Bytes(length);
    store.values[Folded(name)] = std::vector<uint8_t>(bytes, bytes + length);
  }
}

// What the load reads for a name: a value of four bytes at most, low byte first.
std::optional<int64_t> Stored(const StoreFromInput& store, std::wstring_view name) {
  if (!store.openable) return std::nullopt;
  const auto found = store.values.find(Folded(name));
  if (found == store.values.end() || found->second.size() > 4) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 0; i < found->second.size(); ++i) value |= static_cast<uint32_t>(found->second[i]) << (8 * i);
  return static_cast<int32_t>(value);
}

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckLoaded(const StoreFromInput& store, const corvan::Assignments& loaded, const corvan::Catalogue& catalogue) {
  bool anyStored = false;
  for (const corvan::StoredSlot& slot : corvan::kStoredSlots) anyStored = anyStored || Stored(store, slot.storeName);
  if (!anyStored) {
    // The factory assignment: the side buttons keep their native jobs, nothing else is assigned.
    for (const corvan::StoredSlot& slot : corvan::kStoredSlots) {
      const int32_t factory = slot.slot == &corvan::Assignments::bt3   ? catalogue.forwardId
                              : slot.slot == &corvan::Assignments::bt4 ? catalogue.backwardId
                                                                       : 0;
      Check(loaded.*slot.slot == factory);
    }
    Check(loaded.flagByte == 0);
    return;
  }
  // A missing, unreadable or negative value reads as 0; order and extra key keep what was read,
  // every other slot names an entry of the catalogue or is 0.
  for (const corvan::StoredSlot& slot : corvan::kStoredSlots) {
    const int64_t read = std::max<int64_t>(Stored(store, slot.storeName).value_or(0), 0);
    const int32_t value = loaded.*slot.slot;
    if (slot.validatedAtLoad) {
      Check(catalogue.IsValidId(value));
      Check(value == (catalogue.IsValidId(static_cast<int32_t>(read)) ? read : 0));
    } else {
      Check(value == read);
    }
  }
  // The flag byte tells which side button was read as anything but its native job, valid or not.
  const int64_t forward = std::max<int64_t>(Stored(store, L"bt3").value_or(0), 0);
  const int64_t backward = std::max<int64_t>(Stored(store, L"bt4").value_or(0), 0);
  const int32_t flags = (forward != catalogue.forwardId ? corvan::kFlagForwardReassigned : 0) |
                        (backward != catalogue.backwardId ? corvan::kFlagBackwardReassigned : 0);
  Check(loaded.flagByte == flags);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint8_t flags = input.Byte();
  static const corvan::Catalogue catalogues[] = {corvan::BuildCatalogue(corvan::DefaultFunctionLabels(), false),
                                                 corvan::BuildCatalogue(corvan::DefaultFunctionLabels(), true)};
  const corvan::Catalogue& catalogue = catalogues[flags & 1];
  StoreFromInput store;
  store.openable = !(flags & 2);
  Fill(input, store);

  corvan::Assignments loaded;
  corvan::LoadSettings(store, loaded, catalogue);
  CheckLoaded(store, loaded, catalogue);
  return 0;
}
