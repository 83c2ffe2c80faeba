#pragma once

// What every window test shares: the offscreen start and a catcher for message boxes.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "ui/chinese_interface.h"

namespace olvimar::testing {

// Closes every modal message box as soon as it opens and keeps its title and text, so that a
// test that opens one goes on, and a box that nobody expected is a failure, not a hang.
class BoxCatcher {
  public:
    BoxCatcher() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.append(box->windowTitle() + QLatin1Char('|') + box->text());
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start();
    }
    QStringList boxes;

  private:
    QTimer timer_;
};

// Runs the QtTest class `Test` with the window's Chinese interface, on the offscreen platform
// unless another one is chosen.
template <typename Test>
int RunOffscreen(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseChineseInterface(app);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace olvimar::testing
