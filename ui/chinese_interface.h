#pragma once

class QApplication;

namespace olvimar {

// Sets the application up for the window's Simplified Chinese: a default user-interface font that
// draws Chinese and fits the fixed layout (controls 18 pixels high, as the twips were drawn for),
// and Qt's own Chinese texts for the standard buttons and menus ("确定", the copy menu).
void UseChineseInterface(QApplication& app);

}  // namespace olvimar
