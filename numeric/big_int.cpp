#include "numeric/big_int.h"

#include <cmath>

namespace olvimar {

BigInt::BigInt(std::int64_t v) : negative_(v < 0) {
    std::uint64_t m = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    for (; m != 0; m >>= 32) magnitude_.push_back(static_cast<std::uint32_t>(m));
}

BigInt BigInt::FromDigits(std::string_view digits) {
    BigInt n;
    for (const char c : digits) {
        std::uint64_t carry = static_cast<std::uint64_t>(c - '0');
        for (std::uint32_t& w : n.magnitude_) {
            const std::uint64_t p = std::uint64_t{w} * 10 + carry;
            w = static_cast<std::uint32_t>(p);
            carry = p >> 32;
        }
        if (carry != 0) n.magnitude_.push_back(static_cast<std::uint32_t>(carry));
    }
    return n;
}

BigInt BigInt::TimesPowerOfTen(int n) const {
    BigInt r = *this;
    for (int i = 0; i < n; ++i) r = r * BigInt(10);
    return r;
}

int BigInt::CompareMagnitudes(const Words& a, const Words& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
}

BigInt::Words BigInt::Add(const Words& a, const Words& b) {
    Words s(std::max(a.size(), b.size()) + 1);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        carry += (i < a.size() ? a[i] : 0) + std::uint64_t{i < b.size() ? b[i] : 0};
        s[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    return s;
}

BigInt::Words BigInt::Subtract(const Words& a, const Words& b) {
    Words d(a.size());
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t v = std::int64_t{a[i]} - (i < b.size() ? b[i] : 0) - borrow;
        borrow = v < 0;
        d[i] = static_cast<std::uint32_t>(v + (borrow << 32));
    }
    return d;
}

void BigInt::Trim() {
    while (!magnitude_.empty() && magnitude_.back() == 0) magnitude_.pop_back();
    if (magnitude_.empty()) negative_ = false;
}

BigInt operator+(const BigInt& a, const BigInt& b) {
    BigInt s;
    if (a.negative_ == b.negative_) {
        s.magnitude_ = BigInt::Add(a.magnitude_, b.magnitude_);
        s.negative_ = a.negative_;
    } else if (BigInt::CompareMagnitudes(a.magnitude_, b.magnitude_) >= 0) {
        s.magnitude_ = BigInt::Subtract(a.magnitude_, b.magnitude_);
        s.negative_ = a.negative_;
    } else {
        s.magnitude_ = BigInt::Subtract(b.magnitude_, a.magnitude_);
        s.negative_ = b.negative_;
    }
    s.Trim();
    return s;
}

BigInt BigInt::operator-() const {
    BigInt n = *this;
    n.negative_ = !negative_;
    n.Trim();
    return n;
}

BigInt operator-(const BigInt& a, const BigInt& b) {
    return a + -b;
}

BigInt operator*(const BigInt& a, const BigInt& b) {
    BigInt p;
    p.magnitude_.assign(a.magnitude_.size() + b.magnitude_.size(), 0);
    for (std::size_t i = 0; i < a.magnitude_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.magnitude_.size(); ++j) {
            const std::uint64_t t =
                std::uint64_t{a.magnitude_[i]} * b.magnitude_[j] + p.magnitude_[i + j] + carry;
            p.magnitude_[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        p.magnitude_[i + b.magnitude_.size()] = static_cast<std::uint32_t>(carry);
    }
    p.negative_ = a.negative_ != b.negative_;
    p.Trim();
    return p;
}

int Compare(const BigInt& a, const BigInt& b) {
    if (a.negative_ != b.negative_) return a.negative_ ? -1 : 1;
    const int m = BigInt::CompareMagnitudes(a.magnitude_, b.magnitude_);
    return a.negative_ ? -m : m;
}

double BigInt::ToDouble() const {
    double d = 0;
    for (std::size_t i = magnitude_.size(); i-- > 0;) d = d * 0x1p32 + magnitude_[i];
    return negative_ ? -d : d;
}

std::int64_t NearestWhole(const BigInt& num, const BigInt& den) {
    const BigInt d = den.negative() ? -den : den;
    const BigInt n = den.negative() ? -num : num;
    // A first guess from doubles, then the exact distance 2n - 2kd, within d of zero.
    auto k = static_cast<std::int64_t>(std::llround(n.ToDouble() / d.ToDouble()));
    BigInt gap = BigInt(2) * n - BigInt(2 * k) * d;
    const BigInt twice = BigInt(2) * d;
    while (Compare(gap, d) > 0) gap = gap - twice, ++k;
    while (Compare(gap, -d) < 0) gap = gap + twice, --k;
    // Half-way: the even one of k and its neighbour on that side.
    if (k % 2 != 0 && Compare(gap, d) == 0) return k + 1;
    if (k % 2 != 0 && Compare(gap, -d) == 0) return k - 1;
    return k;
}

}  // namespace olvimar
