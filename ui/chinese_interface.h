#pragma once

class QApplication;

namespace olvimar {

// Sets the application up for the window's Simplified Chinese: a default user-interface font that
// draws Chinese, 12 pixels high as the layout was drawn for or larger when the desktop's is, and
// Qt's own Chinese texts for the standard buttons and menus ("确定", the copy menu).
void UseChineseInterface(QApplication& app);

}  // namespace olvimar
