#include "app/run_request.h"

#include <gtest/gtest.h>

#include "config/function_names.h"

namespace corvan {
namespace {

std::vector<uint8_t> Units(std::initializer_list<uint16_t> units) {
  std::vector<uint8_t> bytes;
  for (uint16_t u : units) {
    bytes.push_back(static_cast<uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  return bytes;
}

TEST(RunRequest, ANameMakesTheRoundTrip) {
  for (const std::wstring& name : {std::wstring(L"Copy"), std::wstring(L"Screen snap #1"), std::wstring(L"剪下"),
                                   std::wstring(kMaxFunctionNameLength, L'x')}) {
    const std::vector<uint8_t> block = EncodeRunRequest(name);
    EXPECT_EQ(block.size(), (name.size() + 1) * 2);
    EXPECT_EQ(ReadRunRequest(kRunRequestTag, block.data(), block.size()), name);
  }
}

TEST(RunRequest, BlocksThatAreNoRunRequestAreIgnored) {
  const std::vector<uint8_t> copy = Units({'C', 'o', 'p', 'y', 0});
  std::vector<uint8_t> longest = EncodeRunRequest(std::wstring(kMaxFunctionNameLength + 1, L'x'));
  struct Row { const char* name; uint64_t tag; std::vector<uint8_t> block; size_t bytes; };
  const Row rows[] = {
      {"another tag",                  kRunRequestTag + 1, copy,                            copy.size()},
      {"no terminator",                kRunRequestTag,     Units({'C', 'o', 'p', 'y'}),     8},
      {"a size cut inside the text",   kRunRequestTag,     copy,                            6},
      {"an odd size",                  kRunRequestTag,     copy,                            9},
      {"a NUL inside",                 kRunRequestTag,     Units({'C', 0, 'p', 'y', 0}),    10},
      {"nothing at all",               kRunRequestTag,     {},                              0},
      {"one byte",                     kRunRequestTag,     {0},                             1},
      {"longer than any name",         kRunRequestTag,     longest,                         longest.size()},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(ReadRunRequest(row.tag, row.block.empty() ? nullptr : row.block.data(), row.bytes)) << row.name;
  }
  EXPECT_EQ(ReadRunRequest(kRunRequestTag, Units({0}).data(), 2), std::wstring()) << "an empty name is a request";
}

TEST(RunRequest, RepliesCarryTheIdOfWhatRan) {
  int32_t id = -5;
  EXPECT_EQ(DecodeRunReply(EncodeRunReply(RunReply::kRan, 28), &id), RunReply::kRan);
  EXPECT_EQ(id, 28);
  EXPECT_EQ(DecodeRunReply(EncodeRunReply(RunReply::kBusy)), RunReply::kBusy);
  EXPECT_EQ(DecodeRunReply(0), RunReply::kNotUnderstood);
  EXPECT_EQ(DecodeRunReply(0x7F), RunReply::kNotUnderstood);
}

}  // namespace
}  // namespace corvan
