#pragma once

#include <cstddef>
#include <exception>
#include <string>

namespace olvimar {

// The five ways a conversion or an operation on a Value can fail.
enum class FailureKind {
    TypeMismatch,         // a text that is not a number where a number is needed
    SubscriptOutOfRange,  // an index outside a fixed table (no temperature chosen)
    InvalidArgument,      // a logarithm of zero or less, an unusable range step
    DivisionByZero,
    Overflow,  // a number too large for a double, or a result that is not finite
};

// Which of the user's inputs a failure was met on.
enum class Input {
    None,
    Target,       // one target viscosity: the whole target box, a list piece or a range value
    ViscA,        // viscosity of oil A
    ViscB,        // viscosity of oil B
    Litres,       // total quantity
    LossA,        // shear loss of oil A, percent
    LossB,        // shear loss of oil B, percent
    Temperature,  // the temperature choice
    Expression,   // the target expression as a whole (range form)
};

// What a person needs to know beyond the kind, where the kind alone would puzzle them.
enum class Situation {
    None,
    SameViscosity,       // A and B have the same viscosity: no mixture can tell them apart
    ViscosityTooLow,     // a viscosity so low (zero or negative) that the blending rule breaks
    ShearUnusable,       // a shear loss leaves a viscosity that the blending rule cannot use
    ShearSameViscosity,  // after the shear losses A and B have the same viscosity
    StepNotPositive,     // a range step of zero or less, or none at all
    TooManyValues,       // a range that would give more values than a run accepts
    TooManyPieces,       // a list of more pieces than a run accepts
};

struct Failure {
    FailureKind kind = FailureKind::TypeMismatch;
    Input input = Input::None;
    Situation situation = Situation::None;
    std::string text;        // the text of the input as the user typed it, where there is one
    std::size_t pieces = 0;  // how many pieces a refused list has (TooManyPieces)
};

// Thrown by the core at the step where a failure arises. The generation run catches it and
// reports it; nothing else in the core does.
class CalcError : public std::exception {
  public:
    explicit CalcError(Failure failure) : failure_(std::move(failure)) {}
    explicit CalcError(FailureKind kind) : failure_{kind, Input::None, Situation::None, {}} {}

    const Failure& failure() const noexcept { return failure_; }
    Failure& failure() noexcept { return failure_; }
    const char* what() const noexcept override;

  private:
    Failure failure_;
};

// A short English name of the kind, for test output and debugging.
const char* KindName(FailureKind kind) noexcept;

}  // namespace olvimar
