#pragma once

#include <string>
#include <string_view>

namespace olvimar {

// Text for HTML and SVG, its & < > " written as entities.
inline std::string Escaped(std::string_view text) {
    std::string html;
    for (const char c : text) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            default:
                html += c;
        }
    }
    return html;
}

}  // namespace olvimar
