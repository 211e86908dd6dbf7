#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvan {

// A per-user store of named 32-bit values. On Windows: the registry key "SOFTWARE\QX A Mouse"
// under the current user, opened afresh for every call.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value's first four bytes as the store holds them (shorter values fill the low bytes);
  // nothing when the key cannot be opened or the value cannot be read into four bytes.
  virtual std::optional<uint32_t> Query(std::wstring_view name) = 0;
  virtual bool Set(std::wstring_view name, int32_t value) = 0;
};

// Starts an apply pass; the settings reach the receivers on worker threads.
class ReceiverPush {
 public:
  virtual ~ReceiverPush() = default;
  virtual void PushSettingsToReceivers() = 0;
};

}  // namespace corvan
