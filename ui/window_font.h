#pragma once

namespace olvimar {

// Makes the application's default user-interface font one that draws Chinese and fits the
// window's fixed layout: controls 18 pixels high, as the layout's twips were drawn for.
void UseWindowFont();

}  // namespace olvimar
