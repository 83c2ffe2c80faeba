#pragma once

#include <ostream>

#include "calc/number_rules.h"
#include "calc/value.h"

namespace olvimar {

// Shows a Value in test failures as its kind and its text, line ends made visible.
inline void PrintTo(const Value& v, std::ostream* os) {
    static const char* const kinds[] = {"Empty", "Text", "Integer", "Long", "Double", "Boolean"};
    *os << kinds[static_cast<int>(v.kind())] << " \"";
    for (char c : NumberText(v)) {
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n";
        else
            *os << c;
    }
    *os << '"';
}

}  // namespace olvimar
