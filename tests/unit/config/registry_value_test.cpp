#include "config/registry_value.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvan {
namespace {

TEST(SettingFromStoredBytes, ReadsAnyValueThatFitsFourBytesLowByteFirst) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    std::optional<uint32_t> setting;
  };
  const Case cases[] = {
      {"an empty value reads as 0", {}, 0u},
      {"one byte fills the lowest", {0x7F}, 0x7Fu},
      {"two bytes", {0x34, 0x12}, 0x1234u},
      {"three bytes leave the top byte 0", {0x56, 0x34, 0x12}, 0x123456u},
      {"four bytes, low byte first", {0x78, 0x56, 0x34, 0x12}, 0x12345678u},
      {"all bits set", {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFFu},
      {"a one-character string with its terminator", {'7', 0, 0, 0}, 0x37u},
      {"five bytes cannot be read", {1, 0, 0, 0, 0}, std::nullopt},
      {"a 64-bit value cannot be read, even a small one", {5, 0, 0, 0, 0, 0, 0, 0}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(SettingFromStoredBytes(c.bytes), c.setting) << c.what;
}

}  // namespace
}  // namespace corvan
