#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/catalogue.h"

namespace corvan {

// Longer than any label the language file can give (its lines are read 1000 characters at most).
inline constexpr size_t kMaxFunctionNameLength = 1000;

enum class NameProblem {
  kNone,
  kEmpty,
  kTooLong,
  kControlCharacter,  // a NUL, a line break or another control character
  kUnknownName,
  kIdOutOfRange,
};

struct NameResolution {
  int32_t id = -1;
  NameProblem problem = NameProblem::kNone;
};

// What a name can be told without a catalogue: kNone, or why it can name nothing.
NameProblem CheckFunctionName(std::wstring_view name);

// A function by the name a user gives it: its label as shown (after the language file) or its
// default label, in any case, or its decimal id. `defaults` is the same system's catalogue with
// the default labels, so that both name the same ids.
NameResolution ResolveFunctionName(const Catalogue& shown, const Catalogue& defaults, std::wstring_view name);

// One line for the user on why the name names nothing.
std::wstring DescribeNameProblem(NameProblem problem, std::wstring_view name, int32_t catalogueCount);

// The catalogue as /list prints it: one line per entry with its id, its label as the program shows
// it (the English one beside it where a language file renamed it), its group and what it does.
std::wstring CatalogueListing(const Catalogue& shown, const Catalogue& english);

}  // namespace corvan
