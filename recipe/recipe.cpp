// The recipe from its boxes. The free oils share what the package leaves, 1 - p, and at each
// target's temperature the rule gives one equation:
//     Σ_free x_i W(V_i) = W(T) - p W(V_P),   Σ_free x_i = 1 - p,
// so two oils make one target, three make two; three with one target make a line of recipes,
// whose ends each leave one oil out. Shares are solved exactly (calc/mixture.h) and their running
// sums rounded once; the quantities follow from the shares shown (recipe/amounts.h).
#include "recipe/recipe.h"

#include <algorithm>
#include <cmath>

#include "calc/calibration.h"
#include "calc/failure.h"
#include "calc/mixture.h"
#include "calc/number_rules.h"
#include "calc/rule_exact.h"
#include "calc/value_ops.h"
#include "chart/grade_lines.h"
#include "chart/sheet_texts.h"
#include "form/text_fill.h"
#include "form/window_texts.h"
#include "numeric/fixed_math.h"
#include "oil/viscosity_index.h"
#include "recipe/amounts.h"
#include "recipe/recipe_texts.h"

namespace olvimar::recipe {

namespace {

constexpr std::size_t kRow100 = 0, kRow40 = 1;  // the window's temperature rows
// What the boxes take: viscosities and targets as the calibration does, densities, prices and
// the total as any plant's.
constexpr double kMostViscosity = 1e6, kMostDensity = 1e5, kMostPrice = 1e6, kMostTotal = 1e9;

// Each component's boxes: 40 ℃, 100 ℃, density, price.
constexpr std::array<std::array<Box, 4>, kComponents> kBoxesOf = {{
    {kA40, kA100, kADensity, kAPrice},
    {kB40, kB100, kBDensity, kBPrice},
    {kC40, kC100, kCDensity, kCPrice},
    {kP40, kP100, kPDensity, kPPrice},
}};
enum Slot { k40, k100, kDensity, kPrice };

const char* NameOf(Box b) {
    return texts::kRecipeBoxes[b];
}

// A component as read: its viscosities as typed (exact and as doubles), density and price.
struct Read {
    std::array<std::optional<Decimal>, 4> exact;
    std::array<double, 2> viscosity{};  // at 40 ℃ and 100 ℃, where exact has them
    bool inUse = false;
};

// The boxes as read, with the quiet lines of what does not count.
class Reader {
  public:
    Reader(const Boxes& boxes, const std::array<std::string, kBoxes>& shown,
           std::vector<std::string>& quiet)
        : boxes_(boxes), shown_(shown), quiet_(quiet) {}

    std::string Text(Box b) const {
        const std::string_view typed = TrimBlanks(boxes_.texts[b]);
        return std::string(typed.empty() ? TrimBlanks(shown_[b]) : typed);
    }
    bool Empty(Box b) const { return Text(b).empty(); }

    // The box's number, from `least` (or above 0) to `most`; none, with a quiet line, otherwise.
    std::optional<Decimal> Number(Box b, double most, bool positive = true, double least = 0) {
        const std::string text = Text(b);
        if (text.empty()) return std::nullopt;
        const std::optional<Decimal> d = ExactDecimal(text);
        if (!d) {
            quiet_.push_back(Fill(texts::kRecipeNotANumber, {NameOf(b), text}));
            return std::nullopt;
        }
        const double v = ToNumber(text);
        if (positive ? !(v > 0) : v < least) {
            quiet_.push_back(Fill(texts::kRecipeNotPositive, {NameOf(b)}));
            return std::nullopt;
        }
        if (v > most) {
            quiet_.push_back(
                Fill(texts::kRecipeTooLarge, {NameOf(b), NumberText(Value::Double(most))}));
            return std::nullopt;
        }
        return d;
    }

    // Boxes the recipe needs that are empty, named in one quiet line.
    void Need(Box b) {
        if (!Empty(b)) return;
        missing_ += (missing_.empty() ? "" : "、") + std::string(NameOf(b));
    }
    void SayMissing(const char* pattern = texts::kRecipeNeeds) {
        if (!missing_.empty()) quiet_.push_back(Fill(pattern, {missing_}));
        missing_.clear();
    }
    bool Missing() const { return !missing_.empty(); }

  private:
    const Boxes& boxes_;
    const std::array<std::string, kBoxes>& shown_;
    std::vector<std::string>& quiet_;
    std::string missing_;
};

std::int64_t ThousandthsOfFixed(const Fixed& v) {
    return rule_exact::Thousandths(v);
}

std::string Percent(int hundredths) {
    return Written(Exact{BigInt(hundredths), BigInt(100)}, 2);
}

// A target at one temperature: the row of the window's constants, and its W.
struct Target {
    std::size_t slot;  // k40 or k100
    Fixed w;
};

// The recipe worked out: the components' shares in hundredths, in the order of `parts`.
struct Shares {
    std::vector<Component> parts;  // in use, the package last
    std::vector<int> hundredths;
    std::optional<Component> leftOut;  // the oil at 0 at an end of a line of recipes
};

bool Reachable(const Shares& s) {
    return std::all_of(s.hundredths.begin(), s.hundredths.end(), [](int h) { return h >= 0; });
}

// The blend of these shares on the map: its W at each temperature, from the components' W.
Point PointOf(const Shares& s, const std::array<std::array<Fixed, 2>, kComponents>& w) {
    Fixed w40, w100;
    for (std::size_t i = 0; i < s.parts.size(); ++i) {
        const Fixed h(static_cast<double>(s.hundredths[i]));
        w40 = w40 + h * w[s.parts[i]][k40];
        w100 = w100 + h * w[s.parts[i]][k100];
    }
    return {(w40 / kAllOfA).ToDouble(), (w100 / kAllOfA).ToDouble()};
}

class Working {
  public:
    Working(const Boxes& boxes, const std::array<std::string, kBoxes>& shown, Outcome& out)
        : boxes_(boxes), out_(out), reader_(boxes, shown, out.quiet) {
        const TempTable temp = BlendConstants();
        c_ = {ToDouble(temp[kRow40]), ToDouble(temp[kRow100])};
    }

    void Run(bool calibrating);

  private:
    void ReadComponents();
    std::vector<Target> ReadTargets();
    bool HaveViscosities(const std::vector<Component>& used, const std::vector<Target>& targets);
    std::optional<Shares> Solve(const std::vector<Component>& free,
                                const std::vector<Target>& targets);
    void SayCannot(const Shares& s);
    Table TableOf(const Shares& s, const std::string& name, const Quantities& q) const;
    Quantities QuantitiesFor(const Shares& s) const;
    void BlendLines(const Shares& s);
    void Map(const std::vector<Component>& free, const std::vector<Target>& targets);

    Fixed W(Component k, std::size_t slot) const {
        return WOfSum(c_[slot] + read_[k].viscosity[slot]);
    }

    const Boxes& boxes_;
    Outcome& out_;
    Reader reader_;
    std::array<double, 2> c_{};  // the rule's constants at 40 ℃ and 100 ℃
    std::array<Read, kComponents> read_;
    int package_ = 0;  // its share, hundredths of a percent
    std::optional<Decimal> total_;
};

void Working::ReadComponents() {
    for (std::size_t k = 0; k < kComponents; ++k) {
        Read& r = read_[k];
        const auto& b = kBoxesOf[k];
        for (const Slot s : {k40, k100}) {
            r.exact[s] = reader_.Number(b[s], kMostViscosity);
            if (r.exact[s]) r.viscosity[s] = ToNumber(reader_.Text(b[s]));
        }
        r.exact[kDensity] = reader_.Number(b[kDensity], kMostDensity);
        r.exact[kPrice] = reader_.Number(b[kPrice], kMostPrice, false);
    }
    read_[kA].inUse = read_[kB].inUse = true;
    read_[kC].inUse = !reader_.Empty(kC40) || !reader_.Empty(kC100);
    if (!reader_.Empty(kPShare)) {
        const std::optional<int> p = TypedHundredths(reader_.Text(kPShare));
        if (!p || *p >= kAllOfA)
            out_.quiet.push_back(texts::kRecipeShare);
        else
            package_ = *p;
    }
    read_[kPackage].inUse = package_ > 0;
    total_ = reader_.Number(kTotal, kMostTotal);
}

std::vector<Target> Working::ReadTargets() {
    std::vector<Target> targets;
    const std::optional<Decimal> t100 = reader_.Number(kT100, kMostViscosity);
    const std::optional<Decimal> t40 = reader_.Number(kT40, kMostViscosity);
    std::optional<Decimal> index;
    if (!reader_.Empty(kTIndex)) {
        index = ExactDecimal(reader_.Text(kTIndex));
        if (!index)
            out_.quiet.push_back(
                Fill(texts::kRecipeNotANumber, {NameOf(kTIndex), reader_.Text(kTIndex)}));
    }
    if (t100) targets.push_back({k100, WOfSum(c_[k100] + ToNumber(reader_.Text(kT100)))});
    if (!reader_.Empty(kT40) && !reader_.Empty(kTIndex)) {
        out_.quiet.push_back(texts::kRecipeFortyAndIndex);
        return {};  // which of the two is meant, only the user can say
    }
    if (t40) targets.push_back({k40, WOfSum(c_[k40] + ToNumber(reader_.Text(kT40)))});
    if (index && !t100) {
        if (reader_.Empty(kT100)) out_.quiet.push_back(texts::kRecipeIndexNeedsHundred);
    } else if (index) {
        const auto u = FortyForIndex(*index, *t100);
        if (const auto* why = std::get_if<Undefined>(&u)) {
            const char* reason = *why == Undefined::TooThick   ? texts::kRecipeIndexRange
                                 : *why == Undefined::BelowTwo ? texts::kWhyBelowTwo
                                                               : texts::kWhyNotThinnerHot;
            out_.quiet.push_back(
                Fill(texts::kRecipeNoIndex, {reader_.Text(kT100), reader_.Text(kTIndex), reason}));
        } else {
            const Fixed& forty = std::get<Fixed>(u);
            out_.lines.push_back(
                Fill(texts::kRecipeIndexTarget,
                     {reader_.Text(kTIndex), reader_.Text(kT100),
                      Written(Exact{BigInt(ThousandthsOfFixed(forty)), BigInt(1000)}, 3)}));
            targets.push_back({k40, WOfSum(Fixed(c_[k40]) + forty)});
        }
    }
    return targets;
}

bool Working::HaveViscosities(const std::vector<Component>& used,
                              const std::vector<Target>& targets) {
    bool all = true;
    for (const Target& t : targets)
        for (const Component k : used)
            if (!read_[k].exact[t.slot]) {
                reader_.Need(kBoxesOf[k][t.slot]);
                all = false;
            }
    reader_.SayMissing();
    return all;
}

std::optional<Shares> Working::Solve(const std::vector<Component>& free,
                                     const std::vector<Target>& targets) {
    const Fixed p = Fixed(static_cast<double>(package_)) / kAllOfA;
    std::vector<Condition> conditions;
    for (const Target& t : targets) {
        Condition k{{}, t.w};
        for (const Component c : free) k.w.push_back(W(c, t.slot));
        if (read_[kPackage].inUse) k.rhs = k.rhs - p * W(kPackage, t.slot);
        conditions.push_back(k);
    }
    const std::optional<std::vector<Fixed>> x = SolveShares(conditions, Fixed(1.0) - p);
    if (!x) return std::nullopt;
    Shares s{free, RoundedShares(*x, kAllOfA - package_), {}};
    if (read_[kPackage].inUse) s.parts.push_back(kPackage), s.hundredths.push_back(package_);
    return s;
}

void Working::SayCannot(const Shares& s) {
    std::string needed;
    for (std::size_t i = 0; i < s.parts.size(); ++i)
        if (s.hundredths[i] < 0)
            needed += (needed.empty() ? "" : "、") +
                      Fill(texts::kRecipeNeeded,
                           {texts::kRecipeRows[s.parts[i]], Percent(s.hundredths[i])});
    out_.quiet.push_back(Fill(texts::kRecipeCannot, {needed}));
}

Quantities Working::QuantitiesFor(const Shares& s) const {
    std::vector<Part> parts;
    for (std::size_t i = 0; i < s.parts.size(); ++i)
        parts.push_back(
            {s.hundredths[i], read_[s.parts[i]].exact[kDensity], read_[s.parts[i]].exact[kPrice]});
    return QuantitiesOf(parts, total_, boxes_.unit == kKilograms);
}

Table Working::TableOf(const Shares& s, const std::string& name, const Quantities& q) const {
    Table t{name, {texts::kRecipeColumns[0], texts::kRecipeColumns[1]}, {}, {}, {}};
    const bool kilograms = q.density.has_value(),
               cost = std::all_of(s.parts.begin(), s.parts.end(), [this](Component k) {
                   return read_[k].exact[kPrice].has_value();
               });
    if (kilograms) t.columns.push_back(texts::kRecipeColumns[2]);
    if (cost) t.columns.push_back(texts::kRecipeColumns[3]);
    const auto cell = [](const std::optional<Exact>& v, int decimals) {
        return v ? Written(*v, decimals) : std::string(texts::kRecipeNone);
    };
    for (std::size_t i = 0; i <= s.parts.size(); ++i) {
        const bool total = i == s.parts.size();
        t.heads.push_back(texts::kRecipeRows[total ? kComponents : s.parts[i]]);
        std::vector<std::string> row = {Percent(total ? kAllOfA : s.hundredths[i]),
                                        cell(total ? q.totalLitres : q.litres[i], 3)};
        if (kilograms) row.push_back(cell(total ? q.totalKilograms : q.kilograms[i], 3));
        if (cost) row.push_back(cell(total ? q.totalCost : q.cost[i], 2));
        t.cells.push_back(row);
    }
    // The blend's own data at the shares shown: its viscosities as the readout rounds them, and
    // its index and grades from those.
    std::array<std::optional<Decimal>, 2> at;
    std::vector<std::string> data;
    for (const Slot slot : {k40, k100}) {
        std::vector<Portion> portions;
        for (std::size_t i = 0; i < s.parts.size(); ++i) {
            if (!read_[s.parts[i]].exact[slot]) break;
            portions.push_back({c_[slot] + read_[s.parts[i]].viscosity[slot], s.hundredths[i]});
        }
        if (portions.size() != s.parts.size()) continue;
        const std::int64_t v = MixThousandths(c_[slot], portions);
        at[slot] = DecimalOf(v, -3);
        data.push_back(
            Fill(texts::kRecipeBlendAt, {texts::kTemperatures[slot == k40 ? kRow40 : kRow100],
                                         Written(Exact{BigInt(v), BigInt(1000)}, 3)}));
    }
    if (at[k40] && at[k100]) {
        const auto index = ViscosityIndex(*at[k40], *at[k100]);
        if (const auto* vi = std::get_if<std::int64_t>(&index))
            data.push_back(Fill(texts::kRecipeBlendIndex, {std::to_string(*vi)}));
    }
    if (q.density) data.push_back(Fill(texts::kRecipeBlendDensity, {Written(*q.density, 1)}));
    std::string joined;
    for (const std::string& d : data) joined += (joined.empty() ? "" : "，") + d;
    if (!joined.empty()) t.below.push_back(Fill(texts::kRecipeBlend, {joined}));
    if (at[k40] || at[k100]) t.below.push_back(GradeLine(texts::kLegendBlend, at[k40], at[k100]));
    return t;
}

void Working::Map(const std::vector<Component>& free, const std::vector<Target>& targets) {
    MapFigures& m = out_.map;
    std::string missing;
    for (std::size_t k = 0; k < kComponents; ++k) {
        if (!read_[k].inUse) continue;
        for (const Slot slot : {k40, k100})
            if (!read_[k].exact[slot])
                missing += (missing.empty() ? "" : "、") + std::string(NameOf(kBoxesOf[k][slot]));
    }
    if (!missing.empty()) {
        m.needs = Fill(texts::kMapNeeds, {missing});
        return;
    }
    std::array<Point, kComponents> at{};
    for (std::size_t k = 0; k < kComponents; ++k) {
        if (!read_[k].inUse) continue;
        at[k] = {W(static_cast<Component>(k), k40).ToDouble(),
                 W(static_cast<Component>(k), k100).ToDouble()};
        m.points.push_back({texts::kRecipeRows[k], at[k]});
    }
    // The free oils' corners, drawn toward the package by its share.
    const double p = read_[kPackage].inUse ? package_ / double(kAllOfA) : 0;
    for (const Component k : free)
        m.region.push_back({(1 - p) * at[k].w40 + p * at[kPackage].w40,
                            (1 - p) * at[k].w100 + p * at[kPackage].w100});
    for (const Target& t : targets) (t.slot == k40 ? m.t40 : m.t100) = t.w.ToDouble();
    // What the region spans at each temperature, cSt.
    for (const Slot slot : {k40, k100}) {
        double least = 1e300, most = -1e300;
        for (const Point& c : m.region) {
            const double w = slot == k40 ? c.w40 : c.w100;
            least = std::min(least, w), most = std::max(most, w);
        }
        const double c = c_[slot];
        m.ranges[slot == k40 ? 0 : 2] = std::exp(std::exp(least)) - c;
        m.ranges[slot == k40 ? 1 : 3] = std::exp(std::exp(most)) - c;
    }
}

void Working::Run(bool calibrating) {
    ReadComponents();
    const std::vector<Target> targets = ReadTargets();
    std::vector<Component> free = {kA, kB};
    if (read_[kC].inUse) free.push_back(kC);
    std::vector<Component> used = free;
    if (read_[kPackage].inUse) used.push_back(kPackage);
    Map(free, targets);
    if (calibrating) out_.lines.push_back(texts::kRecipeRule);
    if (targets.empty()) {
        if (reader_.Empty(kT100) && reader_.Empty(kT40) && reader_.Empty(kTIndex))
            out_.quiet.push_back(texts::kRecipeNoTarget);
        return;
    }
    if (targets.size() == 2 && free.size() == 2) {
        out_.quiet.push_back(texts::kRecipeTwoTargets);
        return;
    }
    if (!HaveViscosities(used, targets)) return;

    std::vector<Shares> recipes;
    if (targets.size() + 1 == free.size()) {
        const std::optional<Shares> s = Solve(free, targets);
        if (!s) {
            out_.quiet.push_back(
                free.size() == 3
                    ? std::string(texts::kRecipeInOneLine)
                    : Fill(texts::kRecipeSame,
                           {texts::kTemperatures[targets[0].slot == k40 ? kRow40 : kRow100]}));
            return;
        }
        recipes.push_back(*s);
    } else {
        // A line of recipes: its ends leave one oil out each.
        std::optional<Shares> widest;  // the pair of the thinnest and the thickest, out of reach
        double spread = -1;
        for (const Component out : free) {
            std::vector<Component> pair;
            for (const Component k : free)
                if (k != out) pair.push_back(k);
            std::optional<Shares> s = Solve(pair, targets);
            if (!s) continue;
            const std::size_t at =
                static_cast<std::size_t>(std::find(free.begin(), free.end(), out) - free.begin());
            s->parts.insert(s->parts.begin() + static_cast<long>(at), out);
            s->hundredths.insert(s->hundredths.begin() + static_cast<long>(at), 0);
            s->leftOut = out;
            const double d =
                std::abs((W(pair[0], targets[0].slot) - W(pair[1], targets[0].slot)).ToDouble());
            if (d > spread) spread = d, widest = s;
            if (!Reachable(*s)) continue;
            if (std::none_of(recipes.begin(), recipes.end(),
                             [&s](const Shares& r) { return r.hundredths == s->hundredths; }))
                recipes.push_back(*s);
        }
        if (recipes.empty() && widest) recipes.push_back(*widest);
        if (recipes.empty()) {
            out_.quiet.push_back(
                Fill(texts::kRecipeSame,
                     {texts::kTemperatures[targets[0].slot == k40 ? kRow40 : kRow100]}));
            return;
        }
        if (recipes.size() == 1) recipes[0].leftOut.reset();
    }
    const bool reachable = Reachable(recipes[0]);
    out_.map.reachable = reachable;
    if (!reachable) {
        SayCannot(recipes[0]);
        return;
    }

    std::array<std::array<Fixed, 2>, kComponents> w{};
    if (out_.map.needs.empty())
        for (const Component k : used) w[k] = {W(k, k40), W(k, k100)};
    std::vector<Quantities> quantities;
    for (const Shares& s : recipes) quantities.push_back(QuantitiesFor(s));
    // Both ends priced: the recipe is the cheaper one, which the map marks among the two.
    std::optional<std::size_t> cheapest;
    if (recipes.size() == 2 && quantities[0].totalCost && quantities[1].totalCost) {
        cheapest = Compare(*quantities[1].totalCost, *quantities[0].totalCost) < 0;
        out_.lines.push_back(
            Fill(texts::kRecipeCheapest, {texts::kRecipeRows[*recipes[*cheapest].leftOut],
                                          Written(*quantities[*cheapest].totalCost, 2),
                                          Written(*quantities[1 - *cheapest].totalCost, 2)}));
    } else if (recipes.size() == 2) {
        out_.lines.push_back(texts::kRecipeLine);
    }
    for (std::size_t i = 0; i < recipes.size(); ++i) {
        if (cheapest && *cheapest != i) continue;
        const std::string name =
            recipes.size() == 2 && !cheapest
                ? Fill(texts::kRecipeEnd, {texts::kRecipeRows[*recipes[i].leftOut]})
                : std::string(texts::kRecipeTitle);
        out_.tables.push_back(TableOf(recipes[i], name, quantities[i]));
    }
    if (out_.map.needs.empty()) {
        for (const Shares& s : recipes) out_.map.recipes.push_back(PointOf(s, w));
        out_.map.cheapest = cheapest;
    }

    // What the quantities still need, once.
    if (!total_) reader_.Need(kTotal);
    reader_.SayMissing();
    std::string densities, prices;
    bool anyPrice = false;
    for (const Component k : used) {
        const auto& b = kBoxesOf[k];
        if (!read_[k].exact[kDensity] && reader_.Empty(b[kDensity]))
            densities += (densities.empty() ? "" : "、") + std::string(NameOf(b[kDensity]));
        if (!read_[k].exact[kPrice] && reader_.Empty(b[kPrice]))
            prices += (prices.empty() ? "" : "、") + std::string(NameOf(b[kPrice]));
        anyPrice = anyPrice || read_[k].exact[kPrice];
    }
    if (boxes_.unit == kKilograms && !densities.empty())
        out_.quiet.push_back(Fill(texts::kRecipeKilogramsNeed, {densities}));
    if (anyPrice && !prices.empty()) out_.quiet.push_back(Fill(texts::kRecipePricesNeed, {prices}));
}

}  // namespace

std::vector<std::string> Kept(const Boxes& boxes) {
    std::vector<std::string> kept(boxes.texts.begin(), boxes.texts.end());
    kept.push_back(std::to_string(boxes.unit));
    return kept;
}

std::optional<Boxes> BoxesOf(const std::vector<std::string>& kept) {
    if (kept.size() != kBoxes + 1 || (kept.back() != "0" && kept.back() != "1"))
        return std::nullopt;
    Boxes boxes;
    std::copy(kept.begin(), kept.end() - 1, boxes.texts.begin());
    boxes.unit = kept.back() == "1" ? kKilograms : kLitres;
    return boxes;
}

std::array<std::string, kBoxes> FromWindow(const BlendFields& fields,
                                           const std::array<std::string, sheet::kBoxes>& boxes) {
    std::array<std::string, kBoxes> shown{};
    const std::array<bool, sheet::kBoxes> asked = sheet::Asked(fields.s);
    const auto take = [&](Box a, Box b, std::size_t row, sheet::Box sheetA, sheet::Box sheetB) {
        if (fields.s == static_cast<int>(row)) {
            shown[a] = fields.viscA, shown[b] = fields.viscB;
        } else if (asked[sheetA]) {
            shown[a] = boxes[sheetA], shown[b] = boxes[sheetB];
        }
    };
    take(kA100, kB100, kRow100, sheet::kA100, sheet::kB100);
    take(kA40, kB40, kRow40, sheet::kA40, sheet::kB40);
    return shown;
}

Outcome Work(const Boxes& boxes, const std::array<std::string, kBoxes>& shown, bool calibrating) {
    Outcome out;
    Working(boxes, shown, out).Run(calibrating);
    return out;
}

}  // namespace olvimar::recipe
