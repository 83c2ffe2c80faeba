#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <cstdio>

#include "ui/chinese_interface.h"
#include "ui/form1.h"

namespace {

// Whether there is a desktop session for the window. Qt itself would abort without one; a
// platform chosen by hand (offscreen, vnc and the like) is taken at its word.
bool HasDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The program's icon in every size compiled in, for window managers and task bars.
QIcon ProgramIcon() {
    QIcon icon;
    QDirIterator png(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                     QDirIterator::Subdirectories);
    while (png.hasNext()) icon.addFile(png.next());
    return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::fputs(
            "Olvimar 需要图形桌面会话才能打开窗口，但当前没有可用的显示。\n"
            "Olvimar needs a graphical desktop session, and there is no display.\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // Lets the desktop pair the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.olvimar.Olvimar"));
    QApplication::setWindowIcon(ProgramIcon());
    olvimar::UseChineseInterface(app);
    olvimar::Form1 window;
    window.show();
    return app.exec();
}
