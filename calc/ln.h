#pragma once

#include <cstdint>
#include <cstring>
#include <optional>

// The natural logarithm, correctly rounded: for every positive finite double, the double nearest
// to the exact ln, the same on every platform and with every C library.
namespace olvimar {

// x must be positive; the ln of infinity is infinity.
double Ln(double x);

// The two phases of Ln, for the tests: the quick one gives its answer only when its error bound
// proves the rounding; the exact one is always right and some hundred times slower. Both take a
// positive finite x.
std::optional<double> LnQuick(double x);
double LnExact(double x);

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
