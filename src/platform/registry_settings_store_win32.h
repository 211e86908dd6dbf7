#pragma once

#include "config/settings_store.h"

namespace corvan {

inline constexpr wchar_t kSettingsKeyPath[] = L"SOFTWARE\\QX A Mouse";

// The eleven values under HKEY_CURRENT_USER\SOFTWARE\QX A Mouse. The key is opened afresh for
// every read and write, so a reset by another copy is seen at once.
class RegistrySettingsStore : public SettingsStore {
 public:
  std::optional<uint32_t> Query(std::wstring_view name) override;
  bool Set(std::wstring_view name, int32_t value) override;
};

// Creates the key empty when it cannot be opened.
void EnsureSettingsKey();
void DeleteSettingsKey();

}  // namespace corvan
