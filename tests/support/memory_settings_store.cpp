#include "memory_settings_store.h"

namespace corvan::testing {

std::optional<uint32_t> MemorySettingsStore::Query(std::wstring_view name) {
  if (!openable) return std::nullopt;
  const auto found = values.find(std::wstring(name));
  if (found == values.end()) return std::nullopt;
  return found->second;
}

bool MemorySettingsStore::Set(std::wstring_view name, int32_t value) {
  if (!openable) return false;
  values[std::wstring(name)] = static_cast<uint32_t>(value);
  writeOrder.emplace_back(name);
  return true;
}

}  // namespace corvan::testing
