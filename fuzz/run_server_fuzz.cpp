// Hands the running copy's /run side arbitrary copied-data blocks, as another process may send
// them: any tag, any size, busy or not, with the program's catalogues (English, or with a label a
// language file renamed to anything). The block lies in an allocation of exactly its size, so the
// address sanitizer reports any read past it.
//
// Input: a flags byte (1 busy, 2 Windows 6.2 catalogue, 4 a tag of its own follows, 8 no data,
// 16 a renamed label follows: its number and length, then its UTF-16 units), then the block.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/run_request.h"
#include "app/run_server.h"
#include "config/catalogue.h"
#include "config/function_labels.h"
#include "config/function_names.h"
#include "fuzz_input.h"

namespace {

using corvan::Catalogue;
using corvan::RunReply;

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

bool IsDecimal(std::wstring_view name) {
  if (!name.empty() && (name[0] == L'+' || name[0] == L'-')) name.remove_prefix(1);
  if (name.empty()) return false;
  for (wchar_t c : name) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

bool HasControlCharacter(std::wstring_view name) {
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

bool NamesAnEntry(const Catalogue& catalogue, std::wstring_view name) {
  for (const corvan::_QxItemListDB& entry : catalogue.entries) {
    if (SameIgnoringCase(entry.label, name)) return true;
  }
  return false;
}

// The name a block holds when it is a well-formed run request: the tag, whole UTF-16 units, one
// terminator and that at the end, and no longer than a name can be.
std::optional<std::wstring> WellFormedName(uint64_t tag, const uint8_t* block, size_t bytes) {
  if (tag != corvan::kRunRequestTag || !block || bytes < 2 || bytes % 2 != 0) return std::nullopt;
  if (bytes / 2 - 1 > corvan::kMaxFunctionNameLength) return std::nullopt;
  std::wstring name;
  for (size_t i = 0; i + 2 < bytes; i += 2) {
    const auto unit = static_cast<wchar_t>(block[i] | (block[i + 1] << 8));
    if (unit == 0) return std::nullopt;
    name.push_back(unit);
  }
  if (block[bytes - 2] != 0 || block[bytes - 1] != 0) return std::nullopt;
  return name;
}

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  corvan::fuzzing::FuzzInput input(data, size);
  const uint8_t flags = input.Byte();
  const bool busy = flags & 1;
  const bool windows62 = flags & 2;
  const uint64_t tag = (flags & 4) ? input.Word64() : corvan::kRunRequestTag;
  const bool noData = flags & 8;

  // The program's two catalogues: the shown one from the language file's labels, and English.
  corvan::FunctionLabels labels = corvan::DefaultFunctionLabels();
  if (flags & 16) {
    const size_t label = input.Byte() % corvan::kLocalisableLabelCount;
    labels[label] = input.Text(input.Byte());
  }
  const Catalogue shown = corvan::BuildCatalogue(labels, windows62);
  const Catalogue english = corvan::BuildCatalogue(corvan::DefaultFunctionLabels(), windows62);
  const corvan::RunServer server(shown, english);

  size_t bytes = input.Left();
  const uint8_t* rest = input.Bytes(bytes);
  const auto block = std::make_unique<uint8_t[]>(bytes);
  std::copy(rest, rest + bytes, block.get());
  const uint8_t* handed = noData ? nullptr : block.get();

  const corvan::RunServerAnswer answer = server.Answer(tag, handed, bytes, busy);
  const std::optional<std::wstring> name = WellFormedName(tag, handed, bytes);

  // A block that is not a run request is left unread: no answer, nothing runs.
  Check(answer.runRequest == name.has_value());
  if (!answer.runRequest) {
    Check(answer.reply == 0 && answer.run == -1);
    return 0;
  }
  int32_t repliedId = -1;
  const RunReply reply = corvan::DecodeRunReply(answer.reply, &repliedId);
  // Nothing runs but a valid entry, and only when the reply says so and names it.
  Check(answer.run == -1 || shown.IsValidId(answer.run));
  Check((reply == RunReply::kRan) == (answer.run != -1));
  if (reply == RunReply::kRan) Check(repliedId == answer.run);
  if (busy) {
    Check(reply == RunReply::kBusy);
    return 0;
  }
  // Every other reply says why the name names nothing, and that is so.
  switch (reply) {
    case RunReply::kRan:
      Check(!name->empty() && !HasControlCharacter(*name));
      break;
    case RunReply::kBadName:
      Check(name->empty() || HasControlCharacter(*name));
      break;
    case RunReply::kIdOutOfRange:
      Check(IsDecimal(*name));
      break;
    case RunReply::kUnknownName:
      Check(!IsDecimal(*name) && !HasControlCharacter(*name));
      Check(!NamesAnEntry(shown, *name) && !NamesAnEntry(english, *name));
      break;
    default:
      Check(false);
  }
  return 0;
}
