#include "platform/registry_settings_store_win32.h"

#include <windows.h>

#include <string>
#include <vector>

#include "config/registry_value.h"

namespace corvan {
namespace {

// Access asked for when the key has to be created (read, write, create subkeys, notify).
constexpr REGSAM kCreateAccess = 0x2001F;

class OpenKey {
 public:
  explicit OpenKey(const std::wstring& path) {
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<uint32_t> RegistrySettingsStore::Query(std::wstring_view name) {
  OpenKey key(keyPath_);
  if (!key.get()) return std::nullopt;
  const std::wstring valueName(name);
  // The value is read whatever its type; how its bytes become a setting is the portable rule.
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(size);
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, bytes.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  bytes.resize(size);
  return SettingFromStoredBytes(bytes);
}

bool RegistrySettingsStore::Set(std::wstring_view name, int32_t value) {
  OpenKey key(keyPath_);
  if (!key.get()) return false;
  const std::wstring valueName(name);
  const DWORD data = static_cast<DWORD>(value);
  return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof(data)) == ERROR_SUCCESS;
}

void EnsureSettingsKey(const wchar_t* keyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    RegCloseKey(key);
    return;
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, kCreateAccess, nullptr,
                      &key, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

void DeleteSettingsKey(const wchar_t* keyPath) { RegDeleteKeyW(HKEY_CURRENT_USER, keyPath); }

}  // namespace corvan
