#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace olvimar {

// `pattern` with %1, %2 … replaced by the texts given, in order.
inline std::string Fill(std::string_view pattern, std::initializer_list<std::string> args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            out += *(args.begin() + index);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace olvimar
