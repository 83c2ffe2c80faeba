#pragma once

// A recipe case as the kept table holds it: A, B and C at 40 ℃ and 100 ℃, the package's and its
// share, the targets at 100 ℃ and 40 ℃, "-" for an empty box; and what the recipe makes of it:
// the shares of its table (the package's last) and the blend's 40 ℃ and 100 ℃ viscosities,
// "48.87 43.11 8.02 / 62.001 10.000", or where it is out of reach "needs C机油 -9.16%". The MPFR
// test writes the table; the recipe's test reads it, in both builds.
#include <regex>
#include <sstream>
#include <string>

#include "recipe/recipe.h"

namespace olvimar::recipe {

inline std::string Worked(const std::string& boxes) {
    std::istringstream in(boxes);
    Boxes b;
    for (const Box box : {kA40, kA100, kB40, kB100, kC40, kC100, kP40, kP100, kPShare, kT100, kT40})
        if (in >> b.texts[box] && b.texts[box] == "-") b.texts[box].clear();
    const Outcome out = Work(b, {}, false);
    static const std::regex at(R"(40 ℃ ([-0-9.]+) cSt，100 ℃ ([-0-9.]+) cSt)");
    std::smatch m;
    std::string s;
    if (!out.tables.empty()) {
        const Table& t = out.tables.front();
        for (std::size_t r = 0; r + 1 < t.cells.size(); ++r) s += t.cells[r][0] + " ";
        if (!t.below.empty() && std::regex_search(t.below[0], m, at))
            s += "/ " + m[1].str() + " " + m[2].str();
    }
    const std::string cannot = "调不出：需要 ";
    for (const std::string& q : out.quiet)
        if (q.starts_with(cannot)) s = "needs " + q.substr(cannot.size());
    return s.empty() ? "none" : s;
}

}  // namespace olvimar::recipe
