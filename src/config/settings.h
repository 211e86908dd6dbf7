#pragma once

#include <cstdint>
#include <string_view>

#include "config/assignments.h"
#include "config/catalogue.h"
#include "config/settings_store.h"

namespace corvan {

// 0 when the value is missing, unreadable or negative.
int32_t ReadSetting(SettingsStore& store, std::wstring_view name);
bool WriteSetting(SettingsStore& store, int32_t value, std::wstring_view name);

// Read the eleven values, compute the flag byte from what was read, then validate. A store that
// holds none of them (the first run, or the first after a reset) gives the factory assignment,
// which leaves the side buttons their native jobs; a store that holds any keeps what it holds.
void LoadSettings(SettingsStore& store, Assignments& assignments, const Catalogue& catalogue);

// Write all eleven values, recompute the flag byte, start an apply pass.
void SaveSettings(SettingsStore& store, Assignments& assignments, const Catalogue& catalogue, ReceiverPush& push);

}  // namespace corvan
