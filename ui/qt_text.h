#pragma once

// The models' texts as Qt shows them, UTF-8 throughout; and the size of a window of its own,
// which grows with the font as the main window does.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QWidget;

namespace olvimar {

inline QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}
inline QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Lines, one under another.
inline QString Lines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& l : lines) list << Utf8(l);
    return list.join(QLatin1Char('\n'));
}

// `width` x `height` at the design's font, larger with a larger font; never beyond the screen.
void SizeByFont(QWidget& window, int width, int height);

}  // namespace olvimar
