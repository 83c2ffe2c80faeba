#pragma once

// A recipe case as the kept table holds it, and what the recipe makes of it in the table's words:
// the shares of its table (the package's last) and the blend's 40 ℃ and 100 ℃ viscosities, or
// the shares it would need where it is out of reach. The MPFR test writes the table; the recipe's
// test reads it, in both builds.
#include <regex>
#include <sstream>
#include <string>

#include "recipe/recipe.h"

namespace olvimar::recipe {

// The boxes of a case: A, B and C at 40 ℃ and 100 ℃, the package's and its share, the targets at
// 100 ℃ and 40 ℃; "-" for an empty box.
inline constexpr Box kCaseBoxes[] = {kA40, kA100, kB40,    kB100, kC40, kC100,
                                     kP40, kP100, kPShare, kT100, kT40};

inline Boxes CaseBoxes(std::istringstream& in) {
    Boxes boxes;
    for (const Box b : kCaseBoxes) {
        std::string text;
        in >> text;
        boxes.texts[b] = text == "-" ? "" : text;
    }
    return boxes;
}

// "48.87 43.11 8.02 / 62.001 10.000", "needs C机油 -9.16%", or "none".
inline std::string Signature(const Outcome& out) {
    if (!out.tables.empty()) {
        const Table& t = out.tables.front();
        std::string s;
        for (std::size_t r = 0; r + 1 < t.cells.size(); ++r) s += t.cells[r][0] + " ";
        std::smatch m;
        static const std::regex at(R"(40 ℃ ([-0-9.]+) cSt，100 ℃ ([-0-9.]+) cSt)");
        if (!t.below.empty() && std::regex_search(t.below[0], m, at))
            s += "/ " + m[1].str() + " " + m[2].str();
        return s;
    }
    for (const std::string& q : out.quiet)
        if (q.starts_with("调不出：需要 "))
            return "needs " + q.substr(std::string("调不出：需要 ").size());
    return "none";
}

}  // namespace olvimar::recipe
