#include "config/settings.h"

namespace corvan {

int32_t ReadSetting(SettingsStore& store, std::wstring_view name) {
  const std::optional<uint32_t> raw = store.Query(name);
  if (!raw) return 0;
  const auto value = static_cast<int32_t>(*raw);
  return value < 0 ? 0 : value;
}

bool WriteSetting(SettingsStore& store, int32_t value, std::wstring_view name) { return store.Set(name, value); }

void LoadSettings(SettingsStore& store, Assignments& assignments, const Catalogue& catalogue) {
  bool anyStored = false;
  for (const StoredSlot& stored : kStoredSlots) {
    anyStored = anyStored || store.Query(stored.storeName).has_value();
    assignments.*stored.slot = ReadSetting(store, stored.storeName);
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
