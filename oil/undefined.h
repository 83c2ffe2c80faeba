#pragma once

// Why a data sheet shows no number where one belongs. The sheet turns each into words.
namespace olvimar {

enum class Undefined {
    NotPositive,    // a viscosity of zero or less
    BelowTwo,       // a viscosity index asks for at least 2.0 mm²/s at 100 ℃
    NotThinnerHot,  // the 100 ℃ viscosity is not below the 40 ℃ one
    TooThin,        // so thin that log log Z has no value
    TooThick,       // beyond what is worked out: over 10^9 mm²/s, a viscosity index over 10^9
    Temperature,    // a temperature beyond the range the sheet works at
};

}  // namespace olvimar
