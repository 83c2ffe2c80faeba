#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "value.h"

// Text operations on Values. Lengths and positions count characters, not bytes.
namespace olvimar {

// `a & b`: both sides as NumberText writes them, joined.
Value Concat(const Value& a, const Value& b);

// The number of characters of NumberText(value), as a Long: Empty gives 0, a Double at least 1.
Value Len(const Value& value);

// The 1-based character position of the first occurrence of `separator` in `text`, 0 when there
// is none. Characters compare exactly: the full-width comma is not a comma.
std::int32_t InStr(std::string_view text, std::string_view separator);

// The pieces of `text` between occurrences of `separator`, in order: k occurrences give k + 1
// pieces, and pieces may be empty.
std::vector<std::string> Split(std::string_view text, std::string_view separator);

}  // namespace olvimar
