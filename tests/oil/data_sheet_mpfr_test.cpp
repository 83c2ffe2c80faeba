// A data sheet's figures against a reference of their own: the viscosity index with L, H and the
// first formula in GMP's exact fractions and the second in MPFR at 400 bits, and the viscosity-
// temperature line in MPFR at 400 bits, each rounded once, on oils spread over the sheet's range.
// With --write FILE it also writes the table of cases that the WebAssembly build checks.
#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "calc/blend_viscosity.h"
#include "oil/viscosity_index.h"
#include "oil/walther.h"

namespace olvimar {
namespace {

constexpr mpfr_prec_t kBits = 400;

// A number of `decimals` decimals, log-uniform from `low` to `high`.
std::string Spread(std::mt19937_64& random, double low, double high, int decimals) {
    std::uniform_real_distribution<double> e(std::log(low), std::log(high));
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::exp(e(random)));
    return text;
}

// "a.bc" as abc / 100.
void SetDecimal(mpq_t q, const std::string& text) {
    std::string digits = text, scale = "1";
    const std::size_t point = digits.find('.');
    if (point != std::string::npos) {
        scale += std::string(digits.size() - point - 1, '0');
        digits.erase(point, 1);
    }
    mpq_set_str(q, (digits + "/" + scale).c_str(), 10);
    mpq_canonicalize(q);
}

// Table 1's rows as fractions, read from the text the program's array is made of, by a reading of
// their own.
struct Row {
    mpq_t kv, l, h;
};

class Table {
  public:
    Table();
    ~Table() {
        for (Row& r : rows_) mpq_clears(r.kv, r.l, r.h, nullptr);
    }
    // L and H at Y, exactly.
    void At(const mpq_t y, mpq_t l, mpq_t h) const;

  private:
    std::vector<Row> rows_;
};

Table::Table() {
    std::FILE* f = std::fopen(OLVIMAR_D2270_CSV, "r");
    char line[256];
    while (f && std::fgets(line, sizeof line, f)) {
        if (line[0] == '#' || line[0] == 'k') continue;
        char kv[32], l[32], h[32];
        if (std::sscanf(line, "%31[^,],%31[^,],%31s", kv, l, h) != 3) continue;
        Row& r = rows_.emplace_back();  // moved as it grows, cleared once at the end
        mpq_inits(r.kv, r.l, r.h, nullptr);
        SetDecimal(r.kv, kv);
        SetDecimal(r.l, l);
        SetDecimal(r.h, h);
    }
    if (f) std::fclose(f);
}

void Table::At(const mpq_t y, mpq_t l, mpq_t h) const {
    mpq_t seventy, t, u;
    mpq_inits(seventy, t, u, nullptr);
    mpq_set_ui(seventy, 70, 1);
    if (mpq_cmp(y, seventy) > 0) {  // 0.8353 Y² + 14.67 Y - 216 and 0.1684 Y² + 11.85 Y - 97
        const auto quadratic = [&](mpq_t out, const char* a, const char* b, const char* c) {
            mpq_set_str(t, a, 10);
            mpq_canonicalize(t);
            mpq_mul(t, t, y);
            mpq_set_str(u, b, 10);
            mpq_canonicalize(u);
            mpq_add(t, t, u);
            mpq_mul(t, t, y);
            mpq_set_str(u, c, 10);
            mpq_sub(out, t, u);
        };
        quadratic(l, "8353/10000", "1467/100", "216");
        quadratic(h, "1684/10000", "1185/100", "97");
    } else {
        std::size_t i = 0;
        while (i + 2 < rows_.size() && mpq_cmp(rows_[i + 1].kv, y) <= 0) ++i;
        const Row &a = rows_[i], &b = rows_[i + 1];
        mpq_sub(t, y, a.kv);  // the fraction of the way from row i to row i + 1
        mpq_sub(u, b.kv, a.kv);
        mpq_div(t, t, u);
        for (auto [out, from, to] : {std::tuple{l, a.l, b.l}, {h, a.h, b.h}}) {
            mpq_sub(u, to, from);
            mpq_mul(u, u, t);
            mpq_add(out, from, u);
        }
    }
    mpq_clears(seventy, t, u, nullptr);
}

// The index by the reference; the oils here all have one.
long ReferenceIndex(const Table& table, const std::string& u, const std::string& y) {
    mpq_t U, Y, L, H, vi, t;
    mpq_inits(U, Y, L, H, vi, t, nullptr);
    SetDecimal(U, u);
    SetDecimal(Y, y);
    table.At(Y, L, H);
    long result = 0;
    if (mpq_cmp(U, H) >= 0) {  // 100 (L - U) / (L - H), to the nearest, a half to the even one
        mpq_sub(vi, L, U);
        mpq_sub(t, L, H);
        mpq_div(vi, vi, t);
        mpq_set_ui(t, 100, 1);
        mpq_mul(vi, vi, t);
        mpz_t q, r2;
        mpz_inits(q, r2, nullptr);
        mpz_fdiv_qr(q, r2, mpq_numref(vi), mpq_denref(vi));
        mpz_mul_ui(r2, r2, 2);
        const int c = mpz_cmp(r2, mpq_denref(vi));
        if (c > 0 || (c == 0 && mpz_odd_p(q))) mpz_add_ui(q, q, 1);
        result = mpz_get_si(q);
        mpz_clears(q, r2, nullptr);
    } else {  // N = (log10 H - log10 U) / log10 Y, (10^N - 1) / 0.00715 + 100
        mpfr_t h, uu, yy, n, k;
        mpfr_inits2(kBits, h, uu, yy, n, k, static_cast<mpfr_ptr>(nullptr));
        mpfr_set_q(h, H, MPFR_RNDN);
        mpfr_set_q(uu, U, MPFR_RNDN);
        mpfr_set_q(yy, Y, MPFR_RNDN);
        mpfr_log10(h, h, MPFR_RNDN);
        mpfr_log10(uu, uu, MPFR_RNDN);
        mpfr_log10(yy, yy, MPFR_RNDN);
        mpfr_sub(n, h, uu, MPFR_RNDN);
        mpfr_div(n, n, yy, MPFR_RNDN);
        mpfr_exp10(n, n, MPFR_RNDN);
        mpfr_sub_ui(n, n, 1, MPFR_RNDN);
        mpfr_set_str(k, "0.00715", 10, MPFR_RNDN);
        mpfr_div(n, n, k, MPFR_RNDN);
        mpfr_add_ui(n, n, 100, MPFR_RNDN);
        mpfr_rint(n, n, MPFR_RNDN);
        result = mpfr_get_si(n, MPFR_RNDN);
        mpfr_clears(h, uu, yy, n, k, static_cast<mpfr_ptr>(nullptr));
    }
    mpq_clears(U, Y, L, H, vi, t, nullptr);
    return result;
}

// The line's viscosity at a temperature by the reference, in thousandths, a tie upwards.
long ReferenceThousandths(const std::string& at40, const std::string& at100, const std::string& c) {
    mpfr_t w1, w2, t1, t2, b, a, x, y, k;
    mpfr_inits2(kBits, w1, w2, t1, t2, b, a, x, y, k, static_cast<mpfr_ptr>(nullptr));
    const auto set = [](mpfr_t v, const std::string& text) {
        mpfr_set_str(v, text.c_str(), 10, MPFR_RNDN);
    };
    const auto loglogZ = [&](mpfr_t w, const std::string& nu) {
        set(x, nu);  // Z = ν + 0.7 + exp(-1.47 - 1.84 ν - 0.51 ν²)
        set(k, "0.51");
        mpfr_mul(y, x, k, MPFR_RNDN);
        set(k, "1.84");
        mpfr_add(y, y, k, MPFR_RNDN);
        mpfr_mul(y, y, x, MPFR_RNDN);
        set(k, "1.47");
        mpfr_add(y, y, k, MPFR_RNDN);
        mpfr_neg(y, y, MPFR_RNDN);
        mpfr_exp(y, y, MPFR_RNDN);
        mpfr_add(y, y, x, MPFR_RNDN);
        set(k, "0.7");
        mpfr_add(y, y, k, MPFR_RNDN);
        mpfr_log10(y, y, MPFR_RNDN);
        mpfr_log10(w, y, MPFR_RNDN);
    };
    loglogZ(w1, at40);
    loglogZ(w2, at100);
    set(t1, "313.15");
    set(t2, "373.15");
    mpfr_log10(t1, t1, MPFR_RNDN);
    mpfr_log10(t2, t2, MPFR_RNDN);
    mpfr_sub(b, w1, w2, MPFR_RNDN);  // B = (w1 - w2) / (log T2 - log T1), A = w1 + B log T1
    mpfr_sub(k, t2, t1, MPFR_RNDN);
    mpfr_div(b, b, k, MPFR_RNDN);
    mpfr_mul(a, b, t1, MPFR_RNDN);
    mpfr_add(a, a, w1, MPFR_RNDN);
    set(x, c);
    set(k, "273.15");
    mpfr_add(x, x, k, MPFR_RNDN);
    mpfr_log10(x, x, MPFR_RNDN);
    mpfr_mul(x, x, b, MPFR_RNDN);
    mpfr_sub(x, a, x, MPFR_RNDN);  // w at T, then Z = 10^(10^w), X = Z - 0.7
    mpfr_exp10(x, x, MPFR_RNDN);
    mpfr_exp10(x, x, MPFR_RNDN);
    set(k, "0.7");
    mpfr_sub(x, x, k, MPFR_RNDN);
    set(k, "0.3193");  // ν = X - exp(-0.7487 - 3.295 X + 0.6119 X² - 0.3193 X³)
    mpfr_mul(y, x, k, MPFR_RNDN);
    set(k, "0.6119");
    mpfr_sub(y, k, y, MPFR_RNDN);
    mpfr_mul(y, y, x, MPFR_RNDN);
    set(k, "3.295");
    mpfr_sub(y, y, k, MPFR_RNDN);
    mpfr_mul(y, y, x, MPFR_RNDN);
    set(k, "0.7487");
    mpfr_sub(y, y, k, MPFR_RNDN);
    mpfr_exp(y, y, MPFR_RNDN);
    mpfr_sub(x, x, y, MPFR_RNDN);
    mpfr_mul_ui(x, x, 1000, MPFR_RNDN);
    mpfr_round(x, x);
    const long result = mpfr_get_si(x, MPFR_RNDN);
    mpfr_clears(w1, w2, t1, t2, b, a, x, y, k, static_cast<mpfr_ptr>(nullptr));
    return result;
}

struct Case {
    std::string u, y;     // an index's oil, or a line's 40 ℃ and 100 ℃ viscosities
    std::string celsius;  // empty for an index
};

std::vector<Case> Cases() {
    std::vector<Case> cases = {{"87.73225", "10", ""},
                               {"87.08395", "10", ""},
                               {"3247.9003", "70", ""},
                               {"40", "7.276", "-5"}};
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = 2 + i % 2;  // as typed, and as the sheet shows a blend
        const std::string y = Spread(random, 2, 300, decimals);
        const std::string u = Spread(random, std::stod(y) * 1.05, std::stod(y) * 40, decimals);
        cases.push_back({u, y, ""});
        const std::string at100 = Spread(random, 1, 1000, decimals);
        const std::string at40 =
            Spread(random, std::stod(at100) * 1.3, std::stod(at100) * 12, decimals);
        char c[16];
        std::snprintf(c, sizeof c, "%.1f",
                      std::uniform_real_distribution<double>(-60, 300)(random));
        cases.push_back({at40, at100, c});
    }
    return cases;
}

// What the program gives, and the reference; none where the program finds none.
std::pair<std::optional<long>, long> Both(const Table& table, const Case& c) {
    if (c.celsius.empty()) {
        const auto vi = ViscosityIndex(*ExactDecimal(c.u), *ExactDecimal(c.y));
        const std::optional<long> got = std::holds_alternative<std::int64_t>(vi)
                                            ? std::optional<long>(std::get<std::int64_t>(vi))
                                            : std::nullopt;
        return {got, ReferenceIndex(table, c.u, c.y)};
    }
    const auto line = LineThrough(*ExactDecimal(c.u), *ExactDecimal(c.y));
    const auto v = ThousandthsAt(std::get<WaltherLine>(line), *ExactDecimal(c.celsius));
    const std::optional<long> got = std::holds_alternative<std::int64_t>(v)
                                        ? std::optional<long>(std::get<std::int64_t>(v))
                                        : std::nullopt;
    return {got, got ? ReferenceThousandths(c.u, c.y, c.celsius) : 0};
}

TEST(DataSheet, EveryFigureIsTheReferencesRoundedOnce) {
    const Table table;
    int wrong = 0, none = 0;
    for (const Case& c : Cases()) {
        const auto [got, want] = Both(table, c);
        none += !got;
        if (got && *got != want && ++wrong <= 10)
            ADD_FAILURE() << c.u << " " << c.y << " " << c.celsius << ": " << *got << ", reference "
                          << want;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_LT(none, 400);  // only lines far too thick on the coldest mornings
}

}  // namespace
}  // namespace olvimar

// With --write FILE: the first 3 000 cases, "U Y - index" or "at40 at100 celsius thousandths".
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--write") {
        const olvimar::Table table;
        const std::vector<olvimar::Case> cases = olvimar::Cases();
        std::FILE* file = std::fopen(argv[2], "w");
        if (file == nullptr) return 1;
        std::fputs(
            "# An oil's viscosities at 40 ℃ and 100 ℃, then '-' and its viscosity index, or a\n"
            "# temperature and its line's viscosity there in thousandths (the reference's)\n",
            file);
        int written = 0;
        for (std::size_t i = 0; written < 3000 && i < cases.size(); ++i) {
            const auto [got, want] = olvimar::Both(table, cases[i]);
            if (!got) continue;
            const olvimar::Case& c = cases[i];
            std::fprintf(file, "%s %s %s %ld\n", c.u.c_str(), c.y.c_str(),
                         c.celsius.empty() ? "-" : c.celsius.c_str(), want);
            ++written;
        }
        return std::fclose(file) == 0 ? 0 : 1;
    }
    return RUN_ALL_TESTS();
}
