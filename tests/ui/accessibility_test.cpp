// What a screen reader finds in the window: every control that takes the focus has a name, the
// fields are named by their labels, and the buttons say what they do.
#include <QAccessible>
#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "ui/form1.h"
#include "window_fixture.h"

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void everyFocusableControlHasAName();
    void fieldsAreNamedByTheirLabels_data();
    void fieldsAreNamedByTheirLabels();
    void buttonsAndListSayWhatTheyDo();
    void theWindowIsAWindowNamedOlvimar();
    void presetRowsReadWellAndInsertTheirPreset();

  private:
    // The accessible interface of the control with this object name.
    QAccessibleInterface* control(const char* name) {
        auto* w = form.findChild<QWidget*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return QAccessible::queryAccessibleInterface(w);
    }

    olvimar::Form1 form;
};

void AccessibilityTest::everyFocusableControlHasAName() {
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList unnamed;
    int focusable = 0;
    // Walk the tree from the window down; list rows are items, not controls.
    QList<QAccessibleInterface*> todo = {QAccessible::queryAccessibleInterface(&form)};
    while (!todo.isEmpty()) {
        QAccessibleInterface* node = todo.takeFirst();
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface* child = node->child(i)) todo.append(child);
        if (!node->object() || !node->object()->isWidgetType() || !node->state().focusable)
            continue;
        ++focusable;
        if (node->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.append(node->object()->objectName() + QLatin1Char(':') +
                           QString::fromLatin1(node->object()->metaObject()->className()));
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    // Six boxes, the drop-down and its list, the preset list, the record box, three buttons.
    QCOMPARE(focusable, 13);
}

void AccessibilityTest::fieldsAreNamedByTheirLabels_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("oil A") << "Text1_0"
                           << "A机油粘度";
    QTest::newRow("oil B") << "Text1_1"
                           << "B机油粘度";
    QTest::newRow("temperature") << "Combo1"
                                 << "温度 ℃";
    QTest::newRow("targets") << "Text1_2"
                             << "生成粘度";
    QTest::newRow("total") << "Text1_3"
                           << "总机油 L";
    QTest::newRow("shear of A") << "Text1_4"
                                << "A剪切稳定性";
    QTest::newRow("shear of B") << "Text1_5"
                                << "B剪切稳定性";
    QTest::newRow("record") << "Text2"
                            << "生成记录";
}

void AccessibilityTest::fieldsAreNamedByTheirLabels() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    QCOMPARE(this->control(control.toLatin1().constData())->text(QAccessible::Name), name);
}

void AccessibilityTest::buttonsAndListSayWhatTheyDo() {
    const struct {
        const char* control;
        const char* name;
    } cases[] = {{"Command1", "生成"},
                 {"Command2", "清空"},
                 {"Command3", "剪切稳定性"},
                 {"List1", "预设列表"}};
    for (const auto& c : cases) {
        QAccessibleInterface* a = control(c.control);
        QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8(c.name));
        QVERIFY2(!a->text(QAccessible::Description).isEmpty(), c.control);
    }
    // The keys a description names are the keys that press the button.
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    olvimar::testing::BoxCatcher catcher;  // Generate on empty fields asks for a temperature
    auto* box = form.findChild<QWidget*>(QStringLiteral("Text1_0"));
    const struct {
        const char* control;
        const char* keyName;
        Qt::Key key;
    } keys[] = {{"Command1", "Enter", Qt::Key_Return}, {"Command2", "Esc", Qt::Key_Escape}};
    for (const auto& k : keys) {
        auto* button = form.findChild<QPushButton*>(QString::fromLatin1(k.control));
        const QString description = control(k.control)->text(QAccessible::Description);
        const QKeySequence alt = QKeySequence::mnemonic(button->text());
        QVERIFY2(
            description.contains(alt.toString()) && description.contains(QLatin1String(k.keyName)),
            qPrintable(description));
        QSignalSpy clicked(button, &QPushButton::clicked);
        box->setFocus();
        QTest::keyClick(box, k.key);
        QTest::keySequence(box, alt);
        QTRY_COMPARE(clicked.count(), 2);
    }
    QVERIFY(control("Text1_2")->text(QAccessible::Description).contains(QStringLiteral("7-14")));
}

void AccessibilityTest::theWindowIsAWindowNamedOlvimar() {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Olvimar"));
}

void AccessibilityTest::presetRowsReadWellAndInsertTheirPreset() {
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QAccessibleInterface* list = control("List1");
    QCOMPARE(list->childCount(), 7);
    for (int row = 0; row < list->childCount(); ++row) {
        const QString name = list->child(row)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && !name.contains(QLatin1Char('\t')), qPrintable(name));
    }
    QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("0w20 7.276"));
    QVERIFY(list->child(5)->text(QAccessible::Name).contains(QStringLiteral("空行")));

    auto* litres = form.findChild<QWidget*>(QStringLiteral("Text1_3"));
    litres->setFocus();
    QAccessibleActionInterface* action = list->child(3)->actionInterface();
    QVERIFY(action);
    action->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(litres->property("text").toString(), QStringLiteral("4"));
}

int main(int argc, char* argv[]) {
    return olvimar::testing::RunOffscreen<AccessibilityTest>(argc, argv);
}

#include "accessibility_test.moc"
