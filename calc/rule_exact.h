#pragma once

// The blending rule's exact phase, shared by what a mix gives and by its calibration: W(V) =
// ln ln(c + V) in the fixed point of the logarithm's exact phase, and back, and the log-odds of
// a share. Each within some 2^-130 of the exact value over the range the rule takes.
#include <cstdint>

#include "calc/blend_viscosity.h"
#include "numeric/fixed_point.h"

namespace olvimar::rule_exact {

bool Negative(const Fixed& v);

// ln y for a positive y down to 2^-140.
Fixed LnOf(const Fixed& y);

// W = ln ln(sum) from the double sum c + V; the sum may be a sheared oil's, just above 1.
Fixed W(double sum);

// The viscosity whose W is w: exp(exp(w)) - c.
Fixed ViscosityOf(const Fixed& w, double c);

// The viscosity of the share φ along the line from B to A: W(B) + φ (W(A) - W(B)).
Fixed OnLine(const Fixed& phi, const Fixed& wA, const Fixed& wB, double c);

// ln odds of a share of `hundredths` of a percent, 1 to 9999; ln α of four significant digits;
// the share whose log-odds is L.
Fixed LnOdds(int hundredths);
Fixed LnAlpha(const Alpha& alpha);
Fixed Logistic(const Fixed& l);

// A figure to the nearest whole number. Within 2^-80 of a half is a tie, which only a figure of
// exact ratios reaches (a share whose W lies halfway between the oils'): shares go to the even
// one, viscosities, deviations and α away from zero, as the record writes three decimals.
enum class Tie { ToEven, AwayFromZero };
std::int64_t Nearest(const Fixed& v, Tie tie);
// To the nearest thousandth, a tie away from zero.
std::int64_t Thousandths(const Fixed& v);

}  // namespace olvimar::rule_exact
