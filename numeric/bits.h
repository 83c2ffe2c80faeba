#pragma once

#include <cstdint>
#include <cstring>

namespace olvimar {

// A double's bits and back (std::bit_cast, where the WebAssembly library lacks it).
inline std::uint64_t BitsOf(double d) {
    std::uint64_t b = 0;
    std::memcpy(&b, &d, sizeof b);
    return b;
}
inline double DoubleOf(std::uint64_t b) {
    double d = 0;
    std::memcpy(&d, &b, sizeof d);
    return d;
}

}  // namespace olvimar
