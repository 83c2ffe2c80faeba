#include <QApplication>

#include "ui/chinese_interface.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop pair the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.olvimar.Olvimar"));
    olvimar::UseChineseInterface(app);
    olvimar::Form1 window;
    window.show();
    return app.exec();
}
