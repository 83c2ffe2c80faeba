#include <QApplication>

#include "ui/form1.h"
#include "ui/window_font.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    olvimar::UseWindowFont();
    olvimar::Form1 window;
    window.show();
    return app.exec();
}
