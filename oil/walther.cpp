// Worked out in fixed point from the standard's constants as decimals, to within 2^-100 of the
// exact value:
//   Z1, Z2     the correction a few units of 2^-150; log10 log10 Z within 2^-140 (Z above 1.05)
//   A, B       a quotient of those by log10 (373.15 / 313.15), about 0.075, within 2^-135
//   Z at T     10^(10^(A - B log10 T)), its relative error that of log10 Z, Z below 2^30
// so a viscosity's thousandths are right unless it lies within 2^-100 of a half thousandth.
#include "oil/walther.h"

#include <cmath>

#include "numeric/fixed_math.h"

namespace olvimar {

namespace {

using fixed::Constant;

Fixed Kelvin(const Fixed& celsius) {
    return celsius + Constant(27315, 2);
}

// Z of a viscosity: the correction is under the fixed point's last bit from 16 mm²/s on.
Fixed Z(const Fixed& nu) {
    Fixed z = nu + Constant(7, 1);
    if (nu.ToDouble() < 16)
        z = z + fixed::Exp(-(Constant(147, 2) + Constant(184, 2) * nu + Constant(51, 2) * nu * nu));
    return z;
}

// The viscosity of a Z: the correction is under the last bit from Z - 0.7 = 8 on.
Fixed Nu(const Fixed& z) {
    const Fixed x = z - Constant(7, 1);
    if (x.ToDouble() >= 8) return x;
    const Fixed x2 = x * x;
    return x - fixed::Exp(Constant(6119, 4) * x2 - Constant(7487, 4) - Constant(3295, 3) * x -
                          Constant(3193, 4) * x2 * x);
}

Fixed LogLog(const Fixed& z) {
    return fixed::Log10(fixed::Log10(z));
}

}  // namespace

std::variant<WaltherLine, Undefined> LineThrough(const Decimal& at40, const Decimal& at100) {
    if (!IsPositive(at40) || !IsPositive(at100)) return Undefined::NotPositive;
    if (Compare(at100, at40) >= 0) return Undefined::NotThinnerHot;
    if (Compare(at40, DecimalOf(1, 9)) > 0) return Undefined::TooThick;
    const Fixed nu1 = *FixedOf(at40), nu2 = *FixedOf(at100);
    const Fixed z1 = Z(nu1), z2 = Z(nu2);
    // log10 Z must be positive, and well so, for its logarithm: Z above 1.05.
    if (z2.ToDouble() < 1.05) return Undefined::TooThin;
    const Fixed logT1 = fixed::Log10(Kelvin(Fixed(40.0))),
                logT2 = fixed::Log10(Kelvin(Fixed(100.0)));
    const Fixed w1 = LogLog(z1), w2 = LogLog(z2);
    const Fixed b = fixed::Quotient(w1 - w2, logT2 - logT1);
    return WaltherLine{w1 + b * logT1, b};
}

std::variant<std::int64_t, Undefined> ThousandthsAt(const WaltherLine& line,
                                                    const Decimal& celsius) {
    if (Compare(celsius, DecimalOf(kLowestCelsius, 0)) < 0 ||
        Compare(celsius, DecimalOf(kHighestCelsius, 0)) > 0)
        return Undefined::Temperature;
    const Fixed w = line.a - line.b * fixed::Log10(Kelvin(*FixedOf(celsius)));
    // Z below 10^9: log10 log10 Z below log10 9.
    if (w.ToDouble() >= std::log10(9.0)) return Undefined::TooThick;
    return fixed::Thousandths(Nu(fixed::Pow10(fixed::Pow10(w))));
}

double WaltherY(double viscosity) {
    const double z =
        viscosity + 0.7 + std::exp(-1.47 - 1.84 * viscosity - 0.51 * viscosity * viscosity);
    return std::log10(std::log10(z));
}

double ViscosityAtWaltherY(double y) {
    const double x = std::pow(10, std::pow(10, y)) - 0.7;
    return x - std::exp(-0.7487 - 3.295 * x + 0.6119 * x * x - 0.3193 * x * x * x);
}

double WaltherYAt(const WaltherLine& line, double kelvin) {
    return line.a.ToDouble() - line.b.ToDouble() * std::log10(kelvin);
}

}  // namespace olvimar
