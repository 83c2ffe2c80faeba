#include "value_ops.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "failure.h"
#include "number_rules.h"

namespace olvimar {

namespace {

// An operand as arithmetic sees it: a double, or a whole number that remembers whether it was a
// Long (the wider of the two whole kinds).
struct Operand {
    bool isDouble = false;
    bool isLong = false;
    double d = 0;
    std::int64_t n = 0;
};

Operand Read(const Value& v) {
    switch (v.kind()) {
        case Value::Kind::Empty:
            return {};
        case Value::Kind::Text:
            return {true, false, ToNumber(v.text()), 0};
        case Value::Kind::Integer:
            return {false, false, 0, v.integer()};
        case Value::Kind::Long:
            return {false, true, 0, v.longValue()};
        case Value::Kind::Double:
            return {true, false, v.number(), 0};
        case Value::Kind::Boolean:
            return {false, false, 0, v.boolean() ? -1 : 0};
    }
    return {};
}

double AsDouble(const Operand& o) {
    return o.isDouble ? o.d : static_cast<double>(o.n);
}

// A whole-number result keeps the wider kind of its operands; one that does not fit that kind is
// an overflow, as it would be in a 16- or 32-bit register.
Value Whole(std::int64_t n, bool isLong) {
    if (isLong) {
        if (n < std::numeric_limits<std::int32_t>::min() ||
            n > std::numeric_limits<std::int32_t>::max())
            throw CalcError(FailureKind::Overflow);
        return Value::Long(static_cast<std::int32_t>(n));
    }
    if (n < std::numeric_limits<std::int16_t>::min() ||
        n > std::numeric_limits<std::int16_t>::max())
        throw CalcError(FailureKind::Overflow);
    return Value::Integer(static_cast<std::int16_t>(n));
}

std::int64_t WholeNumber(const Value& v) {
    Operand o = Read(v);
    if (!o.isDouble) return o.n;
    double r = RoundHalfEven(o.d);
    if (r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max())
        throw CalcError(FailureKind::Overflow);
    return static_cast<std::int64_t>(r);
}

template <typename DoubleOp, typename WholeOp>
Value Arithmetic(const Value& a, const Value& b, DoubleOp doubleOp, WholeOp wholeOp) {
    Operand x = Read(a);
    Operand y = Read(b);
    if (x.isDouble || y.isDouble) return Value::Double(Finite(doubleOp(AsDouble(x), AsDouble(y))));
    return Whole(wholeOp(x.n, y.n), x.isLong || y.isLong);
}

}  // namespace

double Finite(double d) {
    if (!std::isfinite(d)) throw CalcError(FailureKind::Overflow);
    return d;
}

double Quotient(double x, double y) {
    if (y == 0) throw CalcError(FailureKind::DivisionByZero);
    return Finite(x / y);
}

double ToDouble(const Value& value) {
    return AsDouble(Read(value));
}

Value Add(const Value& a, const Value& b) {
    return Arithmetic(
        a, b, [](double x, double y) { return x + y; },
        [](std::int64_t x, std::int64_t y) { return x + y; });
}

Value Subtract(const Value& a, const Value& b) {
    return Arithmetic(
        a, b, [](double x, double y) { return x - y; },
        [](std::int64_t x, std::int64_t y) { return x - y; });
}

Value Multiply(const Value& a, const Value& b) {
    return Arithmetic(
        a, b, [](double x, double y) { return x * y; },
        [](std::int64_t x, std::int64_t y) { return x * y; });
}

Value Divide(const Value& a, const Value& b) {
    const double x = AsDouble(Read(a));
    return Value::Double(Quotient(x, AsDouble(Read(b))));
}

Value Equals(const Value& value, std::int16_t n) {
    Operand o = Read(value);
    return Value::Boolean(o.isDouble ? o.d == n : o.n == n);
}

Value And(const Value& a, const Value& b) {
    bool isLong = a.kind() == Value::Kind::Long || b.kind() == Value::Kind::Long ||
                  a.kind() == Value::Kind::Double || b.kind() == Value::Kind::Double;
    return Whole(WholeNumber(a) & WholeNumber(b), isLong);
}

bool IsTrue(const Value& value) {
    Operand o = Read(value);
    return o.isDouble ? o.d != 0 : o.n != 0;
}

std::int16_t ToIndex(const Value& value) {
    Operand o = Read(value);
    double r = o.isDouble ? RoundHalfEven(o.d) : static_cast<double>(o.n);
    if (!(r >= std::numeric_limits<std::int16_t>::min() &&
          r <= std::numeric_limits<std::int16_t>::max()))
        throw CalcError(FailureKind::Overflow);
    return static_cast<std::int16_t>(r);
}

}  // namespace olvimar
