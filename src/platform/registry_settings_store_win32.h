#pragma once

#include <string>

#include "config/settings_store.h"

namespace corvan {

inline constexpr wchar_t kSettingsKeyPath[] = L"SOFTWARE\\QX A Mouse";

// The eleven values under HKEY_CURRENT_USER\SOFTWARE\QX A Mouse. The key is opened afresh for
// every read and write, so a reset by another copy is seen at once.
// Tests name a key of their own, so that they never touch a user's settings.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::wstring keyPath = kSettingsKeyPath) : keyPath_(std::move(keyPath)) {}
  std::optional<uint32_t> Query(std::wstring_view name) override;
  bool Set(std::wstring_view name, int32_t value) override;

 private:
  std::wstring keyPath_;
};

// Creates the key empty when it cannot be opened.
void EnsureSettingsKey(const wchar_t* keyPath = kSettingsKeyPath);
void DeleteSettingsKey(const wchar_t* keyPath = kSettingsKeyPath);

}  // namespace corvan
