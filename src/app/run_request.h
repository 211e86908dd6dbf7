#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvan {

// A later copy's /run travels to the running copy's main window as a copied-data block with this
// tag, holding the name as UTF-16 with one terminator.
inline constexpr uint64_t kRunRequestTag = 0x434F52564E52554EULL;

// The running copy's answer: a code, and for a run the function's id.
enum class RunReply : int32_t {
  kNotUnderstood = 0,  // what a window answers that does not take run requests
  kRan = 1,
  kUnknownName = 2,
  kIdOutOfRange = 3,
  kBusy = 4,
  kBadName = 5,
};

std::vector<uint8_t> EncodeRunRequest(std::wstring_view name);

// The name a block carries, or nothing for a block that is not a run request: another tag, a size
// that is not whole UTF-16 units, no terminator at the end or one before it, or longer than any
// name can be. Nothing past `bytes` is read.
std::optional<std::wstring> ReadRunRequest(uint64_t tag, const void* data, size_t bytes);

int64_t EncodeRunReply(RunReply reply, int32_t id = -1);
RunReply DecodeRunReply(int64_t answer, int32_t* id = nullptr);

}  // namespace corvan
