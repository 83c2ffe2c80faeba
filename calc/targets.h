#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "value.h"

namespace olvimar {

// The most target values one press of Generate may take, from a range or a list. A longer range,
// a step too small to move the walk on, or a list of more pieces (empty ones included) is refused
// before anything is calculated.
inline constexpr std::size_t kMaxTargetValues = 100000;

// The step of a range written without one: the double nearest to one tenth.
inline constexpr double kDefaultStep = 0.1;

// The target viscosities of a target expression, in order:
// - with a '-' anywhere, a range "start-end" or "start-end,step": Doubles from start while not
//   above end, each the previous plus the step (the error of each addition carries on);
// - else with a ',', a list: every piece between commas, as Text, empty pieces included;
// - else the whole text, as one Text.
// A range reads its numbers leniently (LeadingNumber) and is walked as it is used, not stored.
// The constructor throws CalcError with Input::Expression for a range number too large for a
// double, a step not greater than zero (Situation::StepNotPositive), a range of more than
// kMaxTargetValues values (Situation::TooManyValues) and a list of more pieces than that
// (Situation::TooManyPieces, with the number of pieces).
class Targets {
  public:
    explicit Targets(std::string_view text);

    std::size_t size() const noexcept { return isRange_ ? count_ : texts_.size(); }
    bool isRange() const noexcept { return isRange_; }
    // The first and the last value of a range that gives any, as its walk gives them.
    double first() const noexcept { return start_; }
    double last() const noexcept { return last_; }

    // Calls f(const Value&) for each target in order; f may throw to stop the walk.
    template <typename F>
    void forEach(F&& f) const {
        if (!isRange_) {
            for (const Value& text : texts_) f(text);
            return;
        }
        double current = start_;
        for (std::size_t i = 0; i < count_; ++i, current += step_) f(Value::Double(current));
    }

  private:
    bool isRange_ = false;
    std::vector<Value> texts_;
    double start_ = 0, step_ = kDefaultStep, last_ = 0;
    std::size_t count_ = 0;
};

// All the targets of an expression at once; throws as Targets does.
std::vector<Value> ExpandTargets(std::string_view text);

}  // namespace olvimar
