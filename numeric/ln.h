#pragma once

// The natural logarithm, correctly rounded: for every positive double, the double nearest to the
// exact ln, the same on every platform and with every C library.
namespace olvimar {

// Outside its domain it answers as std::log does: -infinity for a zero of either sign, NaN for a
// negative argument or NaN; the ln of infinity is infinity.
double Ln(double x);

}  // namespace olvimar
