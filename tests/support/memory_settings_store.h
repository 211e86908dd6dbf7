#pragma once

#include <map>
#include <string>
#include <vector>

#include "config/settings_store.h"

namespace corvan::testing {

// An in-memory settings store that remembers the order of writes.
class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<uint32_t> Query(std::wstring_view name) override;
  bool Set(std::wstring_view name, int32_t value) override;

  std::map<std::wstring, uint32_t> values;
  std::vector<std::wstring> writeOrder;
  bool openable = true;  // false: behaves like a key that cannot be opened
};

class CountingPush : public ReceiverPush {
 public:
  void PushSettingsToReceivers() override { ++passes; }
  int passes = 0;
};

}  // namespace corvan::testing
