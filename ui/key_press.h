#pragma once

#include "form/keys.h"

class QKeyEvent;

namespace olvimar {

// A key as the window's key table names it: Ctrl is Command on a Mac, as Qt has it.
keys::Press PressOf(const QKeyEvent* event);

}  // namespace olvimar
