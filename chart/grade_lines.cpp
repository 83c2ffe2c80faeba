#include "chart/grade_lines.h"

#include "chart/sheet_texts.h"
#include "form/text_fill.h"
#include "oil/grades.h"

namespace olvimar {

namespace {

std::string Iso(const std::optional<Decimal>& at40) {
    if (!at40) return texts::kIsoNone;
    const IsoGrade g = IsoGradeOf(*at40);
    if (g.grade != 0) return Fill(texts::kIsoGrade, {std::to_string(g.grade)});
    if (g.below == 0) return texts::kIsoBelow;
    if (g.above == 0) return texts::kIsoAbove;
    return Fill(texts::kIsoBetween, {std::to_string(g.below), std::to_string(g.above)});
}

std::string Tenths(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string Sae(const std::optional<Decimal>& at100) {
    if (!at100) return texts::kSaeNone;
    const std::vector<SaeGrade> g = SaeGradesOf(*at100);
    if (g.size() >= 2) {  // 6.9 to 7.1 cSt lies in three bands: SAE 12, 16 and 20
        std::string grades, needs;
        for (std::size_t i = 0; i < g.size(); ++i) {
            const std::string grade = std::to_string(g[i].grade);
            grades += (i == 0 ? "" : i + 1 == g.size() ? " 或 " : "、") + grade;
            needs += (i == 0 ? "" : "、") +
                     Fill(texts::kSaeNeedsHths, {grade, Tenths(g[i].leastHthsTenths)});
        }
        return Fill(texts::kSaeEither, {grades, needs});
    }
    if (g.size() == 1 && g[0].grade == 40) return texts::kSaeForty;
    if (g.size() == 1)
        return Fill(texts::kSaeGrade, {std::to_string(g[0].grade), Tenths(g[0].leastHthsTenths)});
    return Compare(*at100, DecimalOf(kSaeLeastTenths, -1)) < 0 ? texts::kSaeBelow
                                                               : texts::kSaeAbove;
}

std::string Winter(const std::optional<Decimal>& at100) {
    const std::vector<int> w = at100 ? WinterGradesReached(*at100) : std::vector<int>();
    return w.empty() ? texts::kWinterNone : Fill(texts::kWinterReached, {std::to_string(w.back())});
}

}  // namespace

std::string GradeLine(const std::string& name, const std::optional<Decimal>& at40,
                      const std::optional<Decimal>& at100) {
    return Fill(texts::kGradeLine, {name, Iso(at40), Sae(at100), Winter(at100)});
}

}  // namespace olvimar
