#include "targets.h"

#include <algorithm>
#include <string>

#include "failure.h"
#include "number_rules.h"
#include "text_ops.h"

namespace olvimar {

namespace {

[[noreturn]] void Refuse(std::string_view text, FailureKind kind, Situation situation) {
    throw CalcError(Failure{kind, Input::Expression, situation, std::string(text)});
}

double ReadRangeNumber(std::string_view expression, std::string_view piece) {
    try {
        return LeadingNumber(piece);
    } catch (const CalcError& e) {
        Refuse(expression, e.failure().kind, Situation::None);
    }
}

std::vector<Value> Range(std::string_view text) {
    // Pieces after the end (7-14-20) are ignored; no piece can hold a minus sign.
    std::vector<std::string> pieces = Split(text, "-");
    const double start = ReadRangeNumber(text, pieces[0]);
    double end = 0;
    double step = kDefaultStep;
    if (InStr(pieces[1], ",") > 0) {
        std::vector<std::string> endAndStep = Split(pieces[1], ",");
        end = ReadRangeNumber(text, endAndStep[0]);
        step = ReadRangeNumber(text, endAndStep[1]);  // pieces after the step are ignored
    } else {
        end = ReadRangeNumber(text, pieces[1]);
    }
    // A step of zero or less (7-10,0, an empty step, or 7-10,-1 whose step piece is empty) would
    // walk for ever.
    if (!(step > 0)) Refuse(text, FailureKind::InvalidArgument, Situation::StepNotPositive);

    std::vector<Value> values;
    const double expected = (end - start) / step + 2;
    if (expected > 0) {
        values.reserve(
            static_cast<std::size_t>(std::min(expected, static_cast<double>(kMaxRangeValues + 1))));
    }
    for (double current = start; current <= end; current += step) {
        // Also stops a step too small to move the current value.
        if (values.size() == kMaxRangeValues)
            Refuse(text, FailureKind::InvalidArgument, Situation::TooManyValues);
        values.push_back(Value::Double(current));
    }
    return values;
}

}  // namespace

std::vector<Value> ExpandTargets(std::string_view text) {
    if (InStr(text, "-") > 0) return Range(text);  // the minus wins, even beside commas
    std::vector<Value> values;
    if (InStr(text, ",") > 0) {
        for (std::string& piece : Split(text, ",")) values.push_back(Value::Text(std::move(piece)));
    } else {
        values.push_back(Value::Text(std::string(text)));
    }
    return values;
}

}  // namespace olvimar
