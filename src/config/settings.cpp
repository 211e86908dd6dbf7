#include "config/settings.h"

namespace corvan {

namespace {

int32_t ValueOrZero(std::optional<uint32_t> raw) {
  if (!raw) return 0;
  const auto value = static_cast<int32_t>(*raw);
  return value < 0 ? 0 : value;
}

}  // namespace

int32_t ReadSetting(SettingsStore& store, std::wstring_view name) { return ValueOrZero(store.Query(name)); }

bool WriteSetting(SettingsStore& store, int32_t value, std::wstring_view name) { return store.Set(name, value); }

void LoadSettings(SettingsStore& store, Assignments& assignments, const Catalogue& catalogue) {
  bool anyStored = false;
  for (const StoredSlot& stored : kStoredSlots) {
    const std::optional<uint32_t> raw = store.Query(stored.storeName);
    anyStored = anyStored || raw.has_value();
    assignments.*stored.slot = ValueOrZero(raw);
  }
  if (!anyStored) SetFactoryAssignment(assignments, catalogue);
  UpdateFlagByte(assignments, catalogue);
  ValidateAfterLoad(assignments, catalogue);
}

void SaveSettings(SettingsStore& store, Assignments& assignments, const Catalogue& catalogue, ReceiverPush& push) {
  for (const StoredSlot& stored : kStoredSlots) WriteSetting(store, assignments.*stored.slot, stored.storeName);
  UpdateFlagByte(assignments, catalogue);
  push.PushSettingsToReceivers();
}

}  // namespace corvan
