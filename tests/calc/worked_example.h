#pragma once

#include "calc/blend.h"

namespace olvimar {

// The worked example's fields: 0w20 (7.276 cSt) and 0w40 (13.69 cSt) at 100 ℃, four litres, no
// shear losses.
inline BlendFields Example() {
    return BlendFields{0, "7.276", "13.69", "4", "", ""};
}

}  // namespace olvimar
