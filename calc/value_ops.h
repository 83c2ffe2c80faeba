#pragma once

#include <cstdint>

#include "value.h"

// Arithmetic, comparison and truth of Values. Empty counts as 0 and a Text is read with ToNumber,
// whose failure is the operation's failure. The result is a Double whenever either operand is a
// Double (a Text read as a number is one) or the operation is a division; a result that is not
// finite throws Overflow.
namespace olvimar {

Value Add(const Value& a, const Value& b);
Value Subtract(const Value& a, const Value& b);
Value Multiply(const Value& a, const Value& b);
// A Value as a number: Empty is 0, a Text is read with ToNumber, a true Boolean is -1.
double ToDouble(const Value& value);

// Throws DivisionByZero for a zero divisor, also 0 / 0.
Value Divide(const Value& a, const Value& b);

// The same rules on doubles already read, for a calculation that keeps its quantities as doubles:
// a result that is not finite throws Overflow; a zero divisor throws DivisionByZero.
double Finite(double d);
double Quotient(double x, double y);

// The Boolean of `value = n`: numeric, with Empty equal to 0 only. True is -1.
Value Equals(const Value& value, std::int16_t n);

// Bitwise on the two's-complement forms of two whole numbers, a true Boolean being -1: the And of
// `x = 2` and a text length is non-zero exactly when x is 2 and the length is not zero.
Value And(const Value& a, const Value& b);

// Empty and 0 are false, any other number is true.
bool IsTrue(const Value& value);

// A Value as a 16-bit index: Empty gives 0, a number is rounded to the nearest whole number with
// ties to even. Throws Overflow outside -32768..32767.
std::int16_t ToIndex(const Value& value);

}  // namespace olvimar
