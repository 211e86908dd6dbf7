#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvan {

// Display texts of the functions, indexed by label number. Entries 0 to 30 may be replaced by the
// language file; 31 and 32 never are. Labels 3 and 31 are kept for the language file's numbering
// although no catalogue entry uses them.
inline constexpr int kFunctionLabelCount = 33;
inline constexpr int kLocalisableLabelCount = 31;
using FunctionLabels = std::array<std::wstring, kFunctionLabelCount>;

FunctionLabels DefaultFunctionLabels();

// The six arrangements of the three main buttons, one triple per button-order value.
using OrderTriple = std::array<std::wstring, 3>;
using OrderLabels = std::array<OrderTriple, 6>;

OrderLabels BuildOrderLabels(const std::wstring& left, const std::wstring& right, const std::wstring& middle);

// An order's three words as one line, "Middle · Left · Right"; a value outside 0 to 5 reads as 0.
inline constexpr wchar_t kOrderWordSeparator[] = L" \u00B7 ";
std::wstring OrderText(const OrderLabels& labels, int32_t order);

}  // namespace corvan
