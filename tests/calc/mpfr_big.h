#pragma once

// The exact reference of the rule's tests: MPFR numbers of 400 bits, their arithmetic, and the
// rule's W and rounding, as the calibration's and the recipe's tests reach for them.
#include <mpfr.h>

#include <cstdint>

namespace olvimar {

// An MPFR number of 400 bits that clears itself.
class Big {
  public:
    Big() { mpfr_init2(v_, 400); }
    explicit Big(double d) : Big() { mpfr_set_d(v_, d, MPFR_RNDN); }
    Big(const Big& o) : Big() { mpfr_set(v_, o.v_, MPFR_RNDN); }
    Big& operator=(const Big& o) {
        mpfr_set(v_, o.v_, MPFR_RNDN);
        return *this;
    }
    ~Big() { mpfr_clear(v_); }
    mpfr_ptr operator*() { return v_; }
    mpfr_srcptr operator*() const { return v_; }

    friend Big operator+(const Big& a, const Big& b) { return Of(mpfr_add, a, b); }
    friend Big operator-(const Big& a, const Big& b) { return Of(mpfr_sub, a, b); }
    friend Big operator*(const Big& a, const Big& b) { return Of(mpfr_mul, a, b); }
    friend Big operator/(const Big& a, const Big& b) { return Of(mpfr_div, a, b); }
    friend Big Log(const Big& a) { return Of(mpfr_log, a); }
    friend Big Exp(const Big& a) { return Of(mpfr_exp, a); }

  private:
    // MPFR's f of `args`, to the nearest.
    template <typename F, typename... Args>
    static Big Of(F f, const Args&... args) {
        Big r;
        f(*r, *args..., MPFR_RNDN);
        return r;
    }

    mpfr_t v_;
};

inline Big W(double sum) {
    return Log(Log(Big(sum)));
}
inline std::int64_t Round(const Big& a, mpfr_rnd_t mode) {
    Big r;
    mpfr_rint(*r, *a, mode);
    return static_cast<std::int64_t>(mpfr_get_d(*r, MPFR_RNDN));
}

}  // namespace olvimar
