#include "failure.h"

namespace olvimar {

const char* KindName(FailureKind kind) noexcept {
    switch (kind) {
        case FailureKind::TypeMismatch:
            return "type mismatch";
        case FailureKind::SubscriptOutOfRange:
            return "subscript out of range";
        case FailureKind::InvalidArgument:
            return "invalid argument";
        case FailureKind::DivisionByZero:
            return "division by zero";
        case FailureKind::Overflow:
            return "overflow";
    }
    return "failure";
}

const char* CalcError::what() const noexcept {
    return KindName(failure_.kind);
}

}  // namespace olvimar
