#pragma once

#include <cstddef>
#include <string_view>

namespace olvimar {

// How much of `record` is whole entries, from its start: the length of the longest leading run
// of entries as a calculation appends them, each its "OUT …L, … cSt" line, its "A …% …L, B …%
// …L" line and, when the losses were filled, its "… L MAX" line, every line ended by CR LF.
// A record that other hands have cut short or spoiled comes back only as far as its entries are
// whole, never with half an entry.
std::size_t WholeEntries(std::string_view record) noexcept;

}  // namespace olvimar
