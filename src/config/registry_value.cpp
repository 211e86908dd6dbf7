#include "config/registry_value.h"

namespace corvan {

std::optional<uint32_t> SettingFromStoredBytes(std::span<const uint8_t> bytes) {
  if (bytes.size() > sizeof(uint32_t)) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 0; i < bytes.size(); ++i) value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return value;
}

}  // namespace corvan
