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

}  // namespace

Targets::Targets(std::string_view text) {
    if (InStr(text, "-") == 0) {  // the minus wins, even beside commas
        if (InStr(text, ",") > 0) {
            // Counted before the text is split: each piece, empty or not, is handed over.
            const auto pieces =
                static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
            if (pieces > kMaxTargetValues) {
                Failure refused{FailureKind::InvalidArgument, Input::Expression,
                                Situation::TooManyPieces, std::string(text)};
                refused.pieces = pieces;
                throw CalcError(std::move(refused));
            }
            for (std::string& piece : Split(text, ","))
                texts_.push_back(Value::Text(std::move(piece)));
        } else {
            texts_.push_back(Value::Text(std::string(text)));
        }
        return;
    }

    isRange_ = true;
    // Pieces after the end (7-14-20) are ignored; no piece can hold a minus sign.
    std::vector<std::string> pieces = Split(text, "-");
    start_ = ReadRangeNumber(text, pieces[0]);
    double end = 0;
    if (InStr(pieces[1], ",") > 0) {
        std::vector<std::string> endAndStep = Split(pieces[1], ",");
        end = ReadRangeNumber(text, endAndStep[0]);
        step_ = ReadRangeNumber(text, endAndStep[1]);  // pieces after the step are ignored
    } else {
        end = ReadRangeNumber(text, pieces[1]);
    }
    // A step of zero or less (7-10,0, an empty step, or 7-10,-1 whose step piece is empty) would
    // walk for ever.
    if (!(step_ > 0)) Refuse(text, FailureKind::InvalidArgument, Situation::StepNotPositive);

    // Count the walk before any value is calculated, so that a range too long is refused whole.
    // This also stops a step too small to move the current value.
    for (double current = start_; current <= end; current += step_) {
        if (count_ == kMaxTargetValues)
            Refuse(text, FailureKind::InvalidArgument, Situation::TooManyValues);
        ++count_;
        last_ = current;
    }
}

std::vector<Value> ExpandTargets(std::string_view text) {
    Targets targets(text);
    std::vector<Value> values;
    values.reserve(targets.size());
    targets.forEach([&](const Value& v) { values.push_back(v); });
    return values;
}

}  // namespace olvimar
