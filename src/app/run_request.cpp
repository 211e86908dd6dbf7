#include "app/run_request.h"

#include "config/function_names.h"

namespace corvan {

std::vector<uint8_t> EncodeRunRequest(std::wstring_view name) {
  std::vector<uint8_t> block;
  block.reserve((name.size() + 1) * 2);
  for (wchar_t c : name) {
    block.push_back(static_cast<uint8_t>(c & 0xFF));
    block.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
  }
  block.push_back(0);
  block.push_back(0);
  return block;
}

std::optional<std::wstring> ReadRunRequest(uint64_t tag, const void* data, size_t bytes) {
  if (tag != kRunRequestTag || !data || bytes < 2 || bytes % 2 != 0) return std::nullopt;
  const size_t units = bytes / 2;
  if (units - 1 > kMaxFunctionNameLength) return std::nullopt;
  const auto* raw = static_cast<const uint8_t*>(data);
  std::wstring name;
  name.reserve(units - 1);
  for (size_t i = 0; i < units; ++i) {
    const auto unit = static_cast<wchar_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
    const bool last = i + 1 == units;
    if ((unit == 0) != last) return std::nullopt;
    if (!last) name.push_back(unit);
  }
  return name;
}

int64_t EncodeRunReply(RunReply reply, int32_t id) {
  const int64_t shownId = reply == RunReply::kRan && id >= 0 ? id : 0;
  return (shownId << 8) | static_cast<int64_t>(reply);
}

RunReply DecodeRunReply(int64_t answer, int32_t* id) {
  const auto code = static_cast<int32_t>(answer & 0xFF);
  if (id) *id = static_cast<int32_t>(answer >> 8);
  if (code < static_cast<int32_t>(RunReply::kNotUnderstood) || code > static_cast<int32_t>(RunReply::kBadName)) {
    return RunReply::kNotUnderstood;
  }
  return static_cast<RunReply>(code);
}

}  // namespace corvan
