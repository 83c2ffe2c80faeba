#pragma once

#include <string>
#include <string_view>

namespace olvimar {

// The record as both record boxes show it: its CR LF line ends, and a lone CR (a box's text may
// hold one) as line feeds.
inline std::string RecordLines(std::string_view record) {
    std::string lines;
    lines.reserve(record.size());
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (record[i] != '\r') {
            lines += record[i];
        } else if (i + 1 == record.size() || record[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return lines;
}

}  // namespace olvimar
