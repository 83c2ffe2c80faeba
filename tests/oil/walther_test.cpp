// The viscosity-temperature line: through an oil's two points and back to them, on to any
// temperature, and where it has no value.
#include <gtest/gtest.h>

#include <string>

#include "calc/blend_viscosity.h"
#include "oil/walther.h"

namespace olvimar {
namespace {

std::string At(const char* at40, const char* at100, const char* celsius) {
    const auto line = LineThrough(*ExactDecimal(at40), *ExactDecimal(at100));
    if (const auto* why = std::get_if<Undefined>(&line))
        return "no line " + std::to_string(static_cast<int>(*why));
    const auto v = ThousandthsAt(std::get<WaltherLine>(line), *ExactDecimal(celsius));
    if (const auto* why = std::get_if<Undefined>(&v))
        return "none " + std::to_string(static_cast<int>(*why));
    return ThousandthsText(std::get<std::int64_t>(v));
}

TEST(Walther, ThroughTwoPointsAndOnToAnyTemperature) {
    const auto no = [](Undefined why) {
        return "no line " + std::to_string(static_cast<int>(why));
    };
    const auto none = [](Undefined why) { return "none " + std::to_string(static_cast<int>(why)); };
    const struct {
        const char* name;
        const char *at40, *at100, *celsius;
        std::string want;
    } rows[] = {
        {"back to its 40 ℃ point", "40", "7.276", "40", "40.000"},
        {"back to its 100 ℃ point", "40", "7.276", "100", "7.276"},
        {"on a cold morning", "40", "7.276", "-5", "486.555"},
        {"hot", "40", "7.276", "150", "3.237"},
        {"at the coldest the sheet reads", "40", "7.276", "-60", "548904.545"},
        {"thin oils, where the corrections count", "2.5", "1.1", "-5", "7.461"},
        {"back to a thin point, the corrections' inverse as the standard gives it", "0.5", "0.2",
         "40", ".500"},
        {"at the hottest the sheet reads", "40", "7.276", "300", ".926"},
        {"a temperature below the range", "40", "7.276", "-60.1", none(Undefined::Temperature)},
        {"a temperature above it", "40", "7.276", "300.5", none(Undefined::Temperature)},
        {"beyond 10^9 mm²/s", "100000", "20", "-60", none(Undefined::TooThick)},
        {"thicker hot than cold", "7", "40", "20", no(Undefined::NotThinnerHot)},
        {"no viscosity at 100 ℃", "7", "0", "20", no(Undefined::NotPositive)},
        {"too thin for log log Z", "0.3", "0.1", "20", no(Undefined::TooThin)},
    };
    for (const auto& r : rows) EXPECT_EQ(At(r.at40, r.at100, r.celsius), r.want) << r.name;
}

}  // namespace
}  // namespace olvimar
