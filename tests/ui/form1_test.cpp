// The window, worked through its real controls on the offscreen platform.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>
#include <clocale>
#include <memory>

#include "calc/number_rules.h"
#include "ui/form1.h"
#include "ui/twips.h"
#include "window_fixture.h"

using olvimar::Form1;
using olvimar::Twips;
using olvimar::Value;

using olvimar::testing::BoxCatcher;

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    // The handlers
    void startsNarrowEmptyAndFocusedOnOilA();
    void controlsCarryTheirTexts();
    void focusStaysWithTheLastTextBox();
    void widthToggles();

    // The keyboard
    void tabCycleVisitsEveryControl();
    void shearBoxTakingTheFocusWidensTheWindow();
    void enterOnTheListInsertsThePreset();
    void accessKeysPressTheirButtons();
    void enterPressesGenerate_data();
    void enterPressesGenerate();
    void enterOnAButtonPressesThatButton();
    void escapeClearsAndCtrlZBringsBackFromAnyControl();
    void ctrlZUndoesABoxsOwnEditFirst();
    void theRecordBoxUndoesTheUsersEditsAlone();
    void escapeWithAModifierKeepsTheRecord();
    void ctrlEnterStartsANewLineInTheRecordBox();

    // Generate
    void workedExampleThroughTheControls();
    void fortyDegreesThroughTheDropDown();
    void commaDecimalLocaleStillWritesPoints();
    void failureShowsAMessageAndKeepsTheBox_data();
    void failureShowsAMessageAndKeepsTheBox();
    void handEditsAreReplacedByTheRecord();
    void theBoxShowsExactlyTheRecordAfterEveryRun();
    void theFirstEntryOfARunIsInView_data();
    void theFirstEntryOfARunIsInView();
    void aPressThatAddsNothingDoesNotScroll();

  private:
    template <typename W>
    W* find(const char* name) const {
        W* w = form->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QLineEdit* text1(int i) const {
        return find<QLineEdit>(QStringLiteral("Text1_%1").arg(i).toLatin1().constData());
    }
    QPlainTextEdit* text2() const { return find<QPlainTextEdit>("Text2"); }
    QListWidget* list1() const { return find<QListWidget>("List1"); }
    QComboBox* combo1() const { return find<QComboBox>("Combo1"); }
    QPushButton* command(int i) const {
        return find<QPushButton>(QStringLiteral("Command%1").arg(i).toLatin1().constData());
    }
    void focus(QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), w);
    }
    void fillWorkedExample(const QString& targets);
    void doubleClickRow(int row);
    QString recordBoxDescription() const {
        return QAccessible::queryAccessibleInterface(text2())->text(QAccessible::Description);
    }
    QString record() const {
        return QString::fromStdString(olvimar::NumberText(form->form().recordValue()));
    }

    std::unique_ptr<Form1> form;
    std::unique_ptr<BoxCatcher> catcher;
};

void Form1Test::init() {
    catcher = std::make_unique<BoxCatcher>();
    form = std::make_unique<Form1>();
    form->show();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void Form1Test::cleanup() {
    form.reset();
    // Every box that a test expected, it has checked and cleared.
    QVERIFY2(catcher->boxes.isEmpty(), qPrintable(catcher->boxes.join(QLatin1Char('\n'))));
    catcher.reset();
}

void Form1Test::fillWorkedExample(const QString& targets) {
    text1(0)->setText(QStringLiteral("7.276"));
    text1(1)->setText(QStringLiteral("13.69"));
    combo1()->setCurrentIndex(0);
    text1(2)->setText(targets);
    text1(3)->setText(QStringLiteral("4"));
}

void Form1Test::doubleClickRow(int row) {
    QListWidgetItem* item = list1()->item(row);
    const QPoint at = list1()->visualItemRect(item).center();
    QTest::mouseClick(list1()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list1()->viewport(), Qt::LeftButton, {}, at);
}

// ---- The handlers ----

void Form1Test::startsNarrowEmptyAndFocusedOnOilA() {
    QCOMPARE(form->width(), Twips().px(4770));
    QCOMPARE(form->height(), Twips().px(4365));
    QCOMPARE(form->minimumSize(), form->maximumSize());  // the user cannot resize it
    QCOMPARE(form->windowTitle(), QStringLiteral("Olvimar"));
    QCOMPARE(combo1()->currentIndex(), -1);
    QCOMPARE(combo1()->currentText(), QString());
    for (int i = 0; i < 6; ++i) QVERIFY(text1(i)->text().isEmpty());
    QVERIFY(text2()->toPlainText().isEmpty());
    QCOMPARE(QApplication::focusWidget(), text1(0));
    QCOMPARE(form->form().focusIdxValue(), Value::Integer(0));
    QVERIFY(form->form().recordValue().isEmpty());
    QVERIFY(form->form().wideValue().isEmpty());
    QVERIFY(list1()->selectedItems().isEmpty());
    // The shear column lies beyond the right edge; Command3 lines it.
    QCOMPARE(command(3)->geometry().right() + 1, form->width());
    QVERIFY(text1(4)->geometry().left() >= form->width());
}

void Form1Test::controlsCarryTheirTexts() {
    const QStringList temperatures = {QStringLiteral("100 ℃"), QStringLiteral("40 ℃"),
                                      QStringLiteral("-5 ℃")};
    QCOMPARE(combo1()->count(), 3);
    for (int i = 0; i < 3; ++i) QCOMPARE(combo1()->itemText(i), temperatures[i]);
    QVERIFY(!combo1()->isEditable());

    const QStringList rows = {QStringLiteral("0w20\t7.276"),   QStringLiteral("0w30\t11.25"),
                              QStringLiteral("0w40\t13.69"),   QStringLiteral("机油\t4L"),
                              QStringLiteral("机油\t5L"),      QString(),
                              QStringLiteral("双击可添加右侧")};
    QCOMPARE(list1()->count(), 7);
    for (int i = 0; i < 7; ++i) QCOMPARE(list1()->item(i)->text(), rows[i]);
    QCOMPARE(list1()->selectionMode(), QAbstractItemView::SingleSelection);
    // All seven rows in view, none cut off.
    QVERIFY(list1()->visualItemRect(list1()->item(6)).bottom() < list1()->viewport()->height());

    QCOMPARE(command(1)->text(), QStringLiteral("生成(&E)"));
    QCOMPARE(command(2)->text(), QStringLiteral("清空(&C)"));
    QVERIFY(command(3)->text().isEmpty());
    QCOMPARE(command(3)->geometry(), Twips().rect({"Command3", 4680, 1320, 90, 2175}));

    const struct {
        const char* name;
        const char* text;
    } labels[] = {
        {"Label1_0", "A机油粘度"},
        {"Label1_1", "温度 ℃"},
        {"Label1_2", "B机油粘度"},
        {"Label1_3", "生成粘度"},
        {"Label1_4", "总机油 L"},
        {"Label1_5", "A剪切稳定性"},
        {"Label1_6", "B剪切稳定性"},
        {"Label3", "生成记录"},
        {"Label2", "生成可支持 7,10 或者 7-14 表达式"},
    };
    for (const auto& l : labels) QCOMPARE(find<QLabel>(l.name)->text(), QString::fromUtf8(l.text));

    const QString longText(40000, QLatin1Char('7'));  // the boxes take text of any length
    for (int i = 0; i < 6; ++i) {
        text1(i)->setText(longText);
        QCOMPARE(text1(i)->text().size(), longText.size());
    }

    QCOMPARE(text2()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(text2()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text2()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(!text2()->isReadOnly());
}

void Form1Test::focusStaysWithTheLastTextBox() {
    focus(text1(1));
    QCOMPARE(form->form().focusIdxValue(), Value::Integer(1));
    for (QWidget* other : std::initializer_list<QWidget*>{combo1(), text2(), command(1), list1()})
        focus(other);
    QCOMPARE(form->form().focusIdxValue(), Value::Integer(1));
    doubleClickRow(2);
    QCOMPARE(text1(1)->text(), QStringLiteral("13.69"));
}

void Form1Test::widthToggles() {
    text1(4)->setText(QStringLiteral("10"));
    QTest::mouseClick(command(3), Qt::LeftButton);
    QCOMPARE(form->width(), Twips().px(6825));
    QCOMPARE(form->form().wideValue(), Value::Integer(1));
    for (const QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(form->rect().contains(w->geometry()), qPrintable(w->objectName()));
    QTest::mouseClick(command(3), Qt::LeftButton);
    QCOMPARE(form->width(), Twips().px(4770));
    QCOMPARE(form->form().wideValue(), Value::Integer(0));
    QCOMPARE(text1(4)->text(), QStringLiteral("10"));
    QTest::mouseClick(command(3), Qt::LeftButton);
    QCOMPARE(form->width(), Twips().px(6825));
}

// ---- The keyboard ----

void Form1Test::tabCycleVisitsEveryControl() {
    const QList<QWidget*> cycle = {text1(0),   text1(1), combo1(), text1(2),   text1(3), command(1),
                                   command(2), list1(),  text2(),  command(3), text1(4), text1(5)};
    focus(text1(0));
    for (int i = 1; i <= cycle.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        QCOMPARE(now, cycle[i % cycle.size()]);
        // Generate looks like the default button unless another button has the focus.
        QCOMPARE(command(1)->isDefault(), !qobject_cast<QPushButton*>(now) || now == command(1));
    }
    for (int i = cycle.size() - 1; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), cycle[i]);
    }
}

void Form1Test::shearBoxTakingTheFocusWidensTheWindow() {
    focus(text2());
    QTest::keyClick(text2(), Qt::Key_Tab);
    QTest::keyClick(command(3), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), text1(4));
    QCOMPARE(form->form().focusIdxValue(), Value::Integer(4));
    QCOMPARE(form->form().wideValue(), Value::Integer(1));
    QVERIFY(form->rect().contains(text1(4)->geometry()));
    QTest::keyClicks(text1(4), QStringLiteral("12"));
    QCOMPARE(text1(4)->text(), QStringLiteral("12"));

    QTest::mouseClick(command(3), Qt::LeftButton);  // the bar still narrows it
    QCOMPARE(form->width(), Twips().px(4770));
    focus(text1(0));
    QTest::keyClick(text1(0), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), text1(5));
    QCOMPARE(form->width(), Twips().px(6825));
}

void Form1Test::enterOnTheListInsertsThePreset() {
    fillWorkedExample(QStringLiteral("10"));
    text1(3)->clear();
    focus(text1(3));
    focus(list1());
    QTest::keyClick(list1(), Qt::Key_Home);
    for (int i = 0; i < 3; ++i) QTest::keyClick(list1(), Qt::Key_Down);
    QCOMPARE(list1()->currentRow(), 3);
    QTest::keyClick(list1(), Qt::Key_Return);
    QCOMPARE(text1(3)->text(), QStringLiteral("4"));
    QVERIFY(form->form().recordValue().isEmpty());  // not Generate
}

void Form1Test::accessKeysPressTheirButtons() {
    fillWorkedExample(QStringLiteral("10"));
    focus(list1());
    // An access key presses its button as a click would, after the button's brief press.
    QTest::keyClick(list1(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(text2()->toPlainText().startsWith(QStringLiteral("OUT 4L, 10.000 cSt")));
    focus(text1(4));
    QTest::keyClick(text1(4), Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(text2()->toPlainText().isEmpty());
    QCOMPARE(form->form().recordValue(), Value::Text(""));
}

void Form1Test::enterPressesGenerate_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    for (const char* name : {"Text1_0", "Text1_2", "Text1_5", "Combo1", "Text2"}) {
        QTest::newRow(name) << name << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow(QByteArray(name).append(" keypad").constData())
            << name << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    // Only the record box takes Ctrl+Enter as a new line.
    QTest::newRow("Text1_2 Ctrl") << "Text1_2" << int(Qt::Key_Return) << int(Qt::ControlModifier);
}

void Form1Test::enterPressesGenerate() {
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    fillWorkedExample(QStringLiteral("10"));
    auto* w = form->findChild<QWidget*>(control);
    focus(w);
    QTest::keyClick(w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(text2()->toPlainText(),
             QStringLiteral("OUT 4L, 10.000 cSt\nA 48.19% 1.9276L, B 51.81% 2.0724L\n"));
}

void Form1Test::enterOnAButtonPressesThatButton() {
    fillWorkedExample(QStringLiteral("10"));
    focus(command(1));
    QTest::keyClick(command(1), Qt::Key_Return);
    QVERIFY(!text2()->toPlainText().isEmpty());
    focus(command(2));
    QTest::keyClick(command(2), Qt::Key_Return);  // Clear, not Generate
    QVERIFY(text2()->toPlainText().isEmpty());
    focus(command(3));
    QTest::keyClick(command(3), Qt::Key_Enter);
    QCOMPARE(form->width(), Twips().px(6825));
    QVERIFY(text2()->toPlainText().isEmpty());
}

void Form1Test::escapeClearsAndCtrlZBringsBackFromAnyControl() {
    fillWorkedExample(QStringLiteral("10"));
    for (QWidget* w : std::initializer_list<QWidget*>{text1(0), combo1(), list1(), text2(),
                                                      command(1), command(3), text1(5)}) {
        form->Command1_Click();
        const QString shown = text2()->toPlainText();
        QVERIFY(!shown.isEmpty());
        QVERIFY(text2()->placeholderText().isEmpty());
        focus(w);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY2(text2()->toPlainText().isEmpty(), qPrintable(w->objectName()));
        QCOMPARE(form->form().recordValue(), Value::Text(""));
        // The empty box says so, and a screen reader reads it out too.
        QVERIFY(text2()->placeholderText().contains(QStringLiteral("Ctrl+Z")));
        QVERIFY(recordBoxDescription().contains(QStringLiteral("Ctrl+Z")));
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text2()->toPlainText(), shown);
        QVERIFY(text2()->placeholderText().isEmpty());
        QVERIFY(recordBoxDescription().isEmpty());
    }
}

void Form1Test::ctrlZUndoesABoxsOwnEditFirst() {
    fillWorkedExample(QStringLiteral("10"));
    form->Command1_Click();
    const QString shown = text2()->toPlainText();
    focus(text1(2));
    QTest::keyClick(text1(2), Qt::Key_Escape);
    QTest::keyClicks(text1(2), QStringLiteral(",12"));
    QTest::keyClick(text1(2), Qt::Key_Z, Qt::ControlModifier);  // the box's own edit
    QCOMPARE(text1(2)->text(), QStringLiteral("10"));
    QVERIFY(text2()->toPlainText().isEmpty());
    QTest::keyClick(text1(2), Qt::Key_Z, Qt::ControlModifier);  // then the Clear
    QCOMPARE(text2()->toPlainText(), shown);

    // In the record box too: typing there is undone before the Clear.
    QTest::keyClick(text1(2), Qt::Key_Escape);
    focus(text2());
    QTest::keyClicks(text2(), QStringLiteral("abc"));
    QTest::keyClick(text2(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text2()->toPlainText(), QString());
    QVERIFY(form->form().CanUndoClear());
    QTest::keyClick(text2(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text2()->toPlainText(), shown);

    // A press that adds to the record ends the undo.
    QTest::keyClick(text1(2), Qt::Key_Escape);
    form->Command1_Click();
    QTest::keyClick(text1(2), Qt::Key_Escape);
    form->Command1_Click();
    QVERIFY(text2()->placeholderText().isEmpty());
    const QString after = text2()->toPlainText();
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text2()->toPlainText(), after);
}

void Form1Test::theRecordBoxUndoesTheUsersEditsAlone() {
    fillWorkedExample(QStringLiteral("10"));
    form->Command1_Click();
    form->Command1_Click();  // appended: not an edit of the box's to undo
    const QString shown = text2()->toPlainText();
    focus(text2());
    QTest::keyClick(text2(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text2()->toPlainText(), shown);
    QTest::keyClick(text2(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(text2(), QStringLiteral("note"));
    QCOMPARE(text2()->toPlainText(), shown + QStringLiteral("note"));
    QTest::keyClick(text2(), Qt::Key_Z, Qt::ControlModifier);  // the user's own edit after a press
    QCOMPARE(text2()->toPlainText(), shown);
}

void Form1Test::escapeWithAModifierKeepsTheRecord() {
    fillWorkedExample(QStringLiteral("10"));
    form->Command1_Click();
    focus(text1(2));
    for (Qt::KeyboardModifier m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        QTest::keyClick(text1(2), Qt::Key_Escape, m);
    QVERIFY(!text2()->toPlainText().isEmpty());
    QVERIFY(!record().isEmpty());
}

void Form1Test::ctrlEnterStartsANewLineInTheRecordBox() {
    fillWorkedExample(QStringLiteral("10"));
    focus(text2());
    QTest::keyClicks(text2(), QStringLiteral("a"));
    QTest::keyClick(text2(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(text2(), QStringLiteral("b"));
    QCOMPARE(text2()->toPlainText(), QStringLiteral("a\nb"));
    QVERIFY(form->form().recordValue().isEmpty());
}

// ---- Generate ----

void Form1Test::workedExampleThroughTheControls() {
    focus(text1(0));
    QTest::keyClicks(text1(0), QStringLiteral("7.276"));
    QTest::keyClick(text1(0), Qt::Key_Tab);
    QTest::keyClicks(text1(1), QStringLiteral("13.69"));
    QTest::keyClick(text1(1), Qt::Key_Tab);
    QTest::keyClick(combo1(), Qt::Key_Down);  // the first temperature, 100 ℃
    QCOMPARE(combo1()->currentIndex(), 0);
    QTest::keyClick(combo1(), Qt::Key_Tab);
    QTest::keyClicks(text1(2), QStringLiteral("10,12"));
    QTest::keyClick(text1(2), Qt::Key_Tab);
    QTest::keyClicks(text1(3), QStringLiteral("4"));
    QTest::mouseClick(command(1), Qt::LeftButton);

    const QString expected = QStringLiteral(
        "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"
        "OUT 4L, 12.000 cSt\r\nA 19.85% 0.794L, B 80.15% 3.206L\r\n");
    QCOMPARE(record(), expected);
    QCOMPARE(text2()->toPlainText(), QString(expected).replace(QStringLiteral("\r\n"), "\n"));
}

void Form1Test::fortyDegreesThroughTheDropDown() {
    fillWorkedExample(QStringLiteral("12"));
    combo1()->setCurrentIndex(-1);
    focus(combo1());
    QTest::keyClick(combo1(), Qt::Key_Down);
    QTest::keyClick(combo1(), Qt::Key_Down);
    QCOMPARE(combo1()->currentText(), QStringLiteral("40 ℃"));
    QTest::keyClick(combo1(), Qt::Key_Return);
    QCOMPARE(record(),
             QStringLiteral("OUT 4L, 12.000 cSt\r\nA 20.91% 0.8364L, B 79.09% 3.1636L\r\n"));
}

void Form1Test::commaDecimalLocaleStillWritesPoints() {
    // ctest starts this test under de_DE.UTF-8, which Qt puts in force for the C library.
    QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
    fillWorkedExample(QStringLiteral("10,12"));
    form->Command1_Click();
    QCOMPARE(record(),
             QStringLiteral("OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n"
                            "OUT 4L, 12.000 cSt\r\nA 19.85% 0.794L, B 80.15% 3.206L\r\n"));
    text1(0)->setText(QStringLiteral("7,276"));
    form->Command1_Click();
    QTRY_COMPARE(catcher->boxes.size(), 1);
    QVERIFY(catcher->boxes.takeFirst().contains(
        QStringLiteral("“7,276”不是有效的数字。小数点请用“.”。")));
}

void Form1Test::failureShowsAMessageAndKeepsTheBox_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("temperature");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("added");  // entries recorded before the failure

    // What each message says is the Form's (form_test); here, that the window shows it.
    QTest::newRow("no temperature") << 0 << "7.276" << -1 << "请选择温度。" << 0;
    QTest::newRow("target not a number")
        << 2 << "10,7a" << 0 << "生成粘度中的“7a”不是有效的数字。" << 1;
}

void Form1Test::failureShowsAMessageAndKeepsTheBox() {
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(int, temperature);
    QFETCH(QString, message);
    QFETCH(int, added);

    fillWorkedExample(QStringLiteral("10"));
    text1(5)->setText(QStringLiteral("5"));  // no shear line until loss A is filled too
    form->Command1_Click();
    const QString shown = text2()->toPlainText();
    const qsizetype entries = record().count(QStringLiteral("OUT "));

    text1(box)->setText(text);
    combo1()->setCurrentIndex(temperature);
    QTest::mouseClick(command(1), Qt::LeftButton);
    QTRY_COMPARE(catcher->boxes.size(), 1);
    QVERIFY2(catcher->boxes[0].startsWith(QStringLiteral("Olvimar|") + message),
             qPrintable(catcher->boxes[0]));
    catcher->boxes.clear();
    QCOMPARE(text2()->toPlainText(), shown);
    QCOMPARE(record().count(QStringLiteral("OUT ")), entries + added);
    QVERIFY(record().endsWith(QStringLiteral("L\r\n")));  // whole entries only
}

void Form1Test::handEditsAreReplacedByTheRecord() {
    fillWorkedExample(QStringLiteral("10"));
    form->Command1_Click();
    text2()->appendPlainText(QStringLiteral("my note"));
    form->Command1_Click();
    QVERIFY(!text2()->toPlainText().contains(QStringLiteral("my note")));
    QCOMPARE(text2()->toPlainText().count(QStringLiteral("OUT ")), 2);
}

void Form1Test::theBoxShowsExactlyTheRecordAfterEveryRun() {
    const auto shownAsRecord = [this] {
        return text2()->toPlainText() == record().replace(QStringLiteral("\r\n"), "\n");
    };
    fillWorkedExample(QStringLiteral("10"));
    form->Command1_Click();
    QVERIFY(shownAsRecord());
    text1(2)->setText(QStringLiteral("7-7.5"));
    form->Command1_Click();  // appended to what the box shows
    QVERIFY(shownAsRecord());
    text1(2)->setText(QStringLiteral("11,x"));  // fails after one entry; the box stays
    form->Command1_Click();
    QTRY_COMPARE(catcher->boxes.size(), 1);
    catcher->boxes.clear();
    QVERIFY(!shownAsRecord());
    text1(2)->setText(QStringLiteral("12"));
    form->Command1_Click();  // now shows the 11 of the failed run as well
    QVERIFY(shownAsRecord());
    QVERIFY(text2()->toPlainText().contains(QStringLiteral("OUT 4L, 11.000 cSt")));
    text2()->setPlainText(QStringLiteral("edited by hand"));
    form->Command1_Click();
    QVERIFY(shownAsRecord());
    QTextCursor overtype(text2()->document());  // one character typed over another
    overtype.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    overtype.insertText(QStringLiteral("X"));
    form->Command1_Click();
    QVERIFY(shownAsRecord());
    form->Command2_Click();
    form->Command1_Click();
    QVERIFY(shownAsRecord());
}

void Form1Test::theFirstEntryOfARunIsInView_data() {
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("targets");
    QTest::addColumn<QString>("litres");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("short run after a full box") << "7-14"
                                                << "20"
                                                << "4"
                                                << "OUT 4L, 20.000 cSt";
    QTest::newRow("long run after a full box") << "7-14"
                                               << "20-30"
                                               << "4"
                                               << "OUT 4L, 20.000 cSt";
    QTest::newRow("long run into an empty box") << ""
                                                << "20-30"
                                                << "4"
                                                << "OUT 4L, 20.000 cSt";
    // A cell pasted from a spreadsheet ends in a line feed, which the record keeps as typed:
    // each entry then starts a line earlier than its target's line.
    QTest::newRow("litres pasted with a line feed") << "7-14"
                                                    << "20-30"
                                                    << "4\n"
                                                    << "OUT 4";
}

void Form1Test::theFirstEntryOfARunIsInView() {
    QFETCH(QString, earlier);
    QFETCH(QString, targets);
    QFETCH(QString, litres);
    QFETCH(QString, firstLine);
    fillWorkedExample(earlier);
    QGuiApplication::clipboard()->setText(litres);
    text1(3)->selectAll();
    text1(3)->paste();
    QCOMPARE(text1(3)->text(), litres);
    form->Command1_Click();
    text1(2)->setText(targets);
    form->Command1_Click();
    // The first entry of this run: its target's line, or the line before where litres broke it.
    QTextBlock block = text2()->document()->begin();
    while (block.isValid() && !block.text().contains(QStringLiteral("20.000 cSt")))
        block = block.next();
    if (!block.text().startsWith(QStringLiteral("OUT"))) block = block.previous();
    QCOMPARE(block.text(), firstLine);
    const QRect line = text2()->cursorRect(QTextCursor(block));
    QVERIFY2(line.top() >= 0 && line.bottom() <= text2()->viewport()->height(),
             qPrintable(QStringLiteral("line at %1").arg(line.top())));
    if (targets.contains(QLatin1Char('-'))) QVERIFY(line.top() < line.height());  // at the top
}

void Form1Test::aPressThatAddsNothingDoesNotScroll() {
    fillWorkedExample(QStringLiteral("7-14"));
    form->Command1_Click();
    QScrollBar* bar = text2()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const int where = bar->value();
    QVERIFY(where > 0);
    text1(2)->setText(QString());  // nothing to calculate
    form->Command1_Click();
    QCOMPARE(bar->value(), where);
}

int main(int argc, char* argv[]) {
    return olvimar::testing::RunOffscreen<Form1Test>(argc, argv);
}

#include "form1_test.moc"
