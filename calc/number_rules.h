#pragma once

#include <string>
#include <string_view>

#include "value.h"

// How text becomes a number and a number becomes text again. The decimal point is always '.',
// whatever the locale of the machine, so that every machine writes the same digits.
namespace olvimar {

// Blanks are space, tab and line feed.
bool IsBlank(char c) noexcept;
// The text less its leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text) noexcept;

// The lenient reading of a range's numbers: skips blanks wherever they stand, reads the longest
// prefix of the form [sign] digits [. digits] [E|e|D|d [sign] digits] and ignores the rest.
// No digits read gives 0. Throws Overflow for a number too large for a double.
double LeadingNumber(std::string_view text);

// The strict reading: the whole text less leading and trailing blanks must be a decimal number.
// Throws TypeMismatch for anything else (the empty text included), Overflow for a number too large
// for a double. No thousands separators, currency signs or hexadecimal.
double ToNumber(std::string_view text);

// A Value as the text that joins it to other text. A Double is rounded to 15 significant digits,
// written plainly without trailing zeros; a zero is always "0", never "-0".
std::string NumberText(const Value& value);
void AppendNumberText(std::string& out, const Value& value);
void AppendNumberText(std::string& out, double d);

// The record's three-decimal format ".000": exactly three decimals, an exact tie rounds away from
// zero, no digit before the point when the whole part is zero (.500). The tie is judged on the
// 15-significant-digit form that NumberText shows, so a typed 7.0005 is written 7.001.
// A Text is read with ToNumber first and fails as it does.
std::string ThreeDecimals(const Value& value);
void AppendThreeDecimals(std::string& out, double d);

// Rounds to the nearest whole number; an exact tie goes to the even one (2.5 gives 2).
double RoundHalfEven(double d) noexcept;

// The natural logarithm; an argument of zero or less throws InvalidArgument.
double Log(double d);

}  // namespace olvimar
