#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "blend.h"
#include "failure.h"
#include "value.h"

namespace olvimar {

// How one press of Generate ended.
struct RunResult {
    std::optional<Failure> failure;  // none when every value was calculated
    Value at;                        // the target value the run failed on; Empty otherwise
    std::size_t values = 0;          // target values calculated before the end or the failure

    bool ok() const noexcept { return !failure.has_value(); }
};

// The generation run without a window: expands the target expression and calculates every value
// in order, each appending its entry to `record`. A failure ends the run at that value: entries
// of earlier values stay, later values are not calculated. A refused expression calculates
// nothing. Failures are reported in the result, never thrown. With `alpha`, the splits are the
// rule's calibrated by it from measured blends.
RunResult RunGeneration(std::string_view expression, const BlendFields& fields,
                        const TempTable& temp, Value& record,
                        std::optional<Alpha> alpha = std::nullopt);

}  // namespace olvimar
