#pragma once

#include <cstddef>
#include <string>

#include "calc/failure.h"

namespace olvimar {

// What went wrong and where, in words a person can act on: the field by its label, the text
// that could not be used, and what to do about it. `calculated` is the number of target values
// of the run that were recorded before the failure. UTF-8.
std::string FailureMessage(const Failure& failure, std::size_t calculated);

// Generate with "按实测校准" on, and no measured blend that counts at the temperature `row`.
std::string NoCalibrationMessage(int row);

// For the failure that no input explains (the machine ran out of memory).
std::string UnexpectedFailureMessage();

}  // namespace olvimar
