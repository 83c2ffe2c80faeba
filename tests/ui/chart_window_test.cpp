// The blend chart's window, worked through its real controls on the offscreen platform: Ctrl+G
// and the record box's menu open it, its handle is a slider that the keys move, it follows the
// main window's boxes, and closing it loses nothing.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "../scenarios/read_scenarios.h"
#include "chart/chart.h"
#include "chart/sheet.h"
#include "form/window_texts.h"
#include "ui/calibration_panel.h"
#include "ui/chart_view.h"
#include "ui/chart_window.h"
#include "ui/form1.h"
#include "ui/map_view.h"
#include "ui/recipe_window.h"
#include "ui/sheet_panel.h"
#include "ui/temperature_view.h"
#include "window_fixture.h"

using olvimar::ChartView;
using olvimar::ChartWindow;
using olvimar::Form1;

class ChartWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void ctrlGOpensItWithTheHandleFocused();
    void theRecordBoxMenuOpensIt();
    void theKeysMoveTheHandle_data();
    void theKeysMoveTheHandle();
    void itFollowsTheBoxesAndSaysWhatItNeeds();
    void aTypedShareMovesTheHandle();
    void aScreenReaderMeetsAFigureAndASlider();
    void closingItLosesNothing();
    void itPaintsWhatTheModelGives();
    void theDataSheetScenariosReadAsOnThePage();
    void theDataSheetIsATableToAScreenReader();
    void theMeasuredBlendsAreReachedByKeyboard();
    void aRemovedBlendLeavesTheKeysInTheList();
    void theRecipeOpensByCtrlRAndItsMapMovesTheTargets();

  private:
    QLineEdit* text1(int i) const {
        return form->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i));
    }
    ChartView* handle() const { return form->chartWindow()->view(); }
    QString readout() const {
        return form->chartWindow()->findChild<QLabel*>(QStringLiteral("ChartReadout"))->text();
    }
    QLineEdit* percent() const {
        return form->chartWindow()->findChild<QLineEdit*>(QStringLiteral("ChartPercent"));
    }
    void openWithTheWorkedExample();

    std::unique_ptr<Form1> form;
};

void ChartWindowTest::init() {
    form = std::make_unique<Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void ChartWindowTest::cleanup() {
    form.reset();
}

void ChartWindowTest::openWithTheWorkedExample() {
    for (const auto& [box, text] : {std::pair{0, "7.276"}, {1, "13.69"}, {2, "10"}, {3, "4"}})
        text1(box)->setText(QString::fromUtf8(text));
    form->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);
    text1(2)->setFocus();
    QTest::keyClick(text1(2), Qt::Key_G, Qt::ControlModifier);
    QVERIFY(form->chartWindow() && form->chartWindow()->isVisible());
}

void ChartWindowTest::ctrlGOpensItWithTheHandleFocused() {
    openWithTheWorkedExample();
    QCOMPARE(form->chartWindow()->windowTitle(), QStringLiteral("混合曲线"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(handle()));
    QCOMPARE(handle()->value(), 5000);
    QVERIFY(readout().startsWith(QStringLiteral("A 50% 2L, B 50% 2L\n混合粘度 ")));
    QCOMPARE(form->form().RecordText(), std::string_view());  // no Generate
    // Tab walks on from the handle: its box, then the sheet's boxes it asks for at 100 ℃.
    QStringList walked;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked.join(QLatin1Char(' ')),
             QStringLiteral("ChartPercent MeasuredPercent MeasuredViscosity MeasuredTemperature "
                            "AddMeasured Calibrate SheetBox0 SheetBox1 SheetBox4"));
}

void ChartWindowTest::theRecordBoxMenuOpensIt() {
    auto* record = form->findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
    QString offered;
    // The menu runs an event loop of its own: the timer looks at each turn of it until the menu
    // is up, and the event is answered only once the menu has closed.
    QTimer whenShown;
    whenShown.setInterval(0);
    connect(&whenShown, &QTimer::timeout, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) return;
        whenShown.stop();
        for (QAction* action : menu->actions())
            if (action->text() == QString::fromUtf8(olvimar::texts::kOpenChart)) {
                offered = action->shortcut().toString();
                action->trigger();
            }
        menu->close();
    });
    whenShown.start();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10),
                            record->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(record, &event);
    whenShown.stop();
    QCOMPARE(offered, QStringLiteral("Ctrl+G"));
    QVERIFY(form->chartWindow() && form->chartWindow()->isVisible());
}

void ChartWindowTest::theKeysMoveTheHandle_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    QTest::newRow("Right: 1 % more of A") << int(Qt::Key_Right) << 5100;
    QTest::newRow("Up: the same") << int(Qt::Key_Up) << 5100;
    QTest::newRow("Left: 1 % less") << int(Qt::Key_Left) << 4900;
    QTest::newRow("Page Up: 10 % more") << int(Qt::Key_PageUp) << 6000;
    QTest::newRow("Page Down: 10 % less") << int(Qt::Key_PageDown) << 4000;
    QTest::newRow("Home: all B") << int(Qt::Key_Home) << 0;
    QTest::newRow("End: all A") << int(Qt::Key_End) << 10000;
}

void ChartWindowTest::theKeysMoveTheHandle() {
    QFETCH(int, key);
    QFETCH(int, to);
    openWithTheWorkedExample();
    QTest::keyClick(handle(), Qt::Key(key));
    QCOMPARE(handle()->value(), to);
    QCOMPARE(percent()->text(), QString::number(to / 100));
    if (to == 10000) QVERIFY(readout().contains(QStringLiteral("混合粘度 7.276 cSt")));
}

void ChartWindowTest::itFollowsTheBoxesAndSaysWhatItNeeds() {
    openWithTheWorkedExample();
    text1(0)->clear();  // as the user deletes oil A
    QCOMPARE(QString::fromStdString(handle()->picture().needs),
             QStringLiteral("显示混合曲线还需要：A机油粘度。"));
    QVERIFY(!handle()->isEnabled() && readout().isEmpty());
    QTest::keyClicks(text1(0), QStringLiteral("7.276"));
    QVERIFY(handle()->isEnabled());
    QVERIFY(readout().contains(QStringLiteral("混合粘度 ")));
}

void ChartWindowTest::aTypedShareMovesTheHandle() {
    openWithTheWorkedExample();
    QLineEdit* box = percent();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("48.19"));
    QCOMPARE(handle()->value(), 4819);
    QVERIFY(readout().contains(QStringLiteral("混合粘度 10.000 cSt")));
    QTest::keyClicks(box, QStringLiteral("5"));  // 48.195: three decimals
    QCOMPARE(handle()->value(), 4819);
    QCOMPARE(form->chartWindow()->findChild<QLabel*>(QStringLiteral("ChartPercentHint"))->text(),
             QString::fromUtf8(olvimar::texts::kPercentHint));
}

void ChartWindowTest::aScreenReaderMeetsAFigureAndASlider() {
    openWithTheWorkedExample();
    QTest::keyClick(handle(), Qt::Key_PageUp);
    QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(handle());
    QCOMPARE(slider->role(), QAccessible::Slider);
    QCOMPARE(slider->text(QAccessible::Name), QStringLiteral("A机油比例"));
    QVERIFY(slider->valueInterface());  // a percentage, not the widget's hundredths
    QCOMPARE(slider->valueInterface()->currentValue().toDouble(), 60.0);
    QCOMPARE(slider->valueInterface()->maximumValue().toDouble(), 100.0);
    QVERIFY2(slider->text(QAccessible::Value).startsWith(QStringLiteral("60%，A 60% 2.4L")),
             qPrintable(slider->text(QAccessible::Value)));
    QCOMPARE(slider->text(QAccessible::Description), slider->text(QAccessible::Value));
    QAccessibleInterface* figure = slider->parent();
    QCOMPARE(figure->role(), QAccessible::Chart);
    QCOMPARE(figure->text(QAccessible::Name), QStringLiteral("混合曲线"));
    QCOMPARE(figure->parent()->role(), QAccessible::Window);
    QVERIFY(figure->text(QAccessible::Description)
                .contains(QStringLiteral("目标 10.000 cSt 在 A 48.19%")));
}

void ChartWindowTest::closingItLosesNothing() {
    openWithTheWorkedExample();
    QTest::keyClick(handle(), Qt::Key_PageUp);
    form->chartWindow()->close();
    QVERIFY(!form->chartWindow()->isVisible());
    QCOMPARE(text1(0)->text(), QStringLiteral("7.276"));
    form->openChart();
    QCOMPARE(handle()->value(), 6000);
}

// Whether the pixel at (x, y), or one next to it where a thin line may fall, is near `ink`'s
// colour.
bool Near(const QImage& image, double x, double y, olvimar::chart::Ink ink) {
    const QColor want(QString::fromLatin1(olvimar::chart::PaintOf(ink).colour));
    for (int dx = -1; dx <= 1; ++dx) {
        const QColor got = image.pixelColor(static_cast<int>(x) + dx, static_cast<int>(y));
        if (std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                std::abs(got.blue() - want.blue()) <
            90)
            return true;
    }
    return false;
}

void ChartWindowTest::itPaintsWhatTheModelGives() {
    using olvimar::chart::Ink;
    using olvimar::chart::Shape;
    text1(4)->setText(QStringLiteral("10"));
    text1(5)->setText(QStringLiteral("5"));
    openWithTheWorkedExample();
    // At the window's design size, whatever the offscreen screen's.
    form->chartWindow()->resize(1000, 720);
    text1(2)->setText(QStringLiteral("12,15"));
    handle()->setValue(4819);
    const QImage image = handle()->grab().toImage();
    const olvimar::chart::Picture& p = handle()->picture();
    int dots = 0, rings = 0, beyond = 0;
    for (const olvimar::chart::Mark& m : p.marks) {
        if (m.shape == Shape::Dot && ++dots) QVERIFY(Near(image, m.x, m.y, Ink::Target));
        if (m.shape == Shape::Ring && ++rings) {
            QCOMPARE(image.pixelColor(int(m.x), int(m.y)), QColor(Qt::white));  // white inside
            QVERIFY(Near(image, m.x + m.size, m.y, Ink::ShearTarget));
        }
        if (m.shape == Shape::Left && m.ink == Ink::Target && ++beyond)  // inside, pointing out
            QVERIFY(Near(image, m.x + 0.6 * m.depth, m.y, Ink::Target));
    }
    QCOMPARE(dots, 1);
    QCOMPARE(rings, 1);
    QCOMPARE(beyond, 1);
    const olvimar::chart::Handle& h = p.handle;
    QCOMPARE(image.pixelColor(int(h.x), int(h.y)), QColor(Qt::white));
    QVERIFY(Near(image, h.x + h.radius, h.y, Ink::Handle));
    QVERIFY(Near(image, h.x + h.shearRadius, *h.yShear, Ink::Shear));
    // Every text is drawn: ink just before the end of each viscosity label.
    for (const olvimar::chart::Text& t : p.texts) {
        if (t.anchor != olvimar::chart::Anchor::End || t.x >= p.left) continue;
        bool ink = false;
        for (int x = int(t.x) - 6; x < int(t.x) && !ink; ++x)
            for (int y = int(t.y) - 8; y < int(t.y) && !ink; ++y)
                ink = Near(image, x, y, Ink::Label);
        QVERIFY2(ink, t.text.c_str());
    }
    // A centred text stands over its place: the ink of each share's label as far left of it as
    // right, within a pixel.
    for (const olvimar::chart::Text& t : p.texts) {
        if (t.anchor != olvimar::chart::Anchor::Middle || t.y < p.bottom || t.y > p.bottom + 30)
            continue;
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = int(t.y) - 9; y <= int(t.y); ++y)
                if (Near(image, x, y, Ink::Label) && std::abs(x - t.x) < 20)
                    left = std::min(left, x), right = std::max(right, x);
        QVERIFY2(right >= 0 && std::abs((left + right + 1) / 2.0 - t.x) <= 1.5, t.text.c_str());
    }
    // Without the shear line too, the handle is a white disc.
    text1(5)->clear();
    const olvimar::chart::Handle& plain = handle()->picture().handle;
    QCOMPARE(handle()->grab().toImage().pixelColor(int(plain.x), int(plain.y)), QColor(Qt::white));
}

// The recipe's tables, as a scenario names them ("name: head cells | … || …"), or what it says
// around them (its quiet lines, its lines, each table's lines under it, apart by " | ").
QString RecipeShown(const olvimar::RecipeWindow& recipe, bool says) {
    QStringList shown;
    for (int i = 0; i < 2; ++i) {
        auto* t = recipe.findChild<QTableWidget*>(QStringLiteral("RecipeTable%1").arg(i));
        QStringList rows;
        for (int r = 0; r < t->rowCount() && !says && !t->isHidden(); ++r) {
            rows << t->verticalHeaderItem(r)->text();
            for (int c = 0; c < t->columnCount(); ++c) rows.back() += " " + t->item(r, c)->text();
        }
        if (!rows.isEmpty()) shown << t->accessibleName() + ": " + rows.join(QStringLiteral(" | "));
    }
    for (const char* name : {"RecipeQuiet", "RecipeLines", "RecipeBelow0", "RecipeBelow1"}) {
        auto* l = recipe.findChild<QLabel*>(QLatin1String(name));
        if (says && !l->isHidden() && !l->text().isEmpty()) shown << l->text().split('\n');
    }
    return shown.join(says ? QStringLiteral(" | ") : QStringLiteral(" || "));
}

// The shared scenarios that read the chart's window, on the real windows: the boxes typed, the
// temperature chosen, the chart opened by Ctrl+G, the sheet's boxes and the share typed into
// theirs, the measured blends added.
void ChartWindowTest::theDataSheetScenariosReadAsOnThePage() {
    int run = 0;
    for (const olvimar::testing::Scenario& s : olvimar::testing::ReadScenarios(OLVIMAR_SCENARIOS)) {
        bool readsTheChart = false;
        for (const auto& step : s.steps)
            for (const char* word :
                 {"table", "section", "readout", "below", "recipe-table", "recipe-says"})
                readsTheChart = readsTheChart || step.word == word;
        if (!readsTheChart) continue;
        ++run;
        cleanup();
        init();
        olvimar::testing::BoxCatcher catcher;
        const auto typeInto = [](QLineEdit* box, const std::string& text) {
            box->setFocus();
            box->selectAll();
            if (text.empty()) QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, QString::fromStdString(text));
        };
        for (const auto& step : s.steps) {
            const QByteArray where =
                QByteArray::fromStdString(s.name + ", line " + std::to_string(step.line));
            const int n = std::atoi(step.arg.c_str());
            const bool inTheChartWindow = step.word == "sheet" || step.word == "handle" ||
                                          step.word == "measure" || step.word == "calibrate";
            if (!form->chartWindow() && inTheChartWindow) {
                QTest::keyClick(text1(0), Qt::Key_G, Qt::ControlModifier);
                QVERIFY2(form->chartWindow(), where.constData());
            }
            const bool inTheRecipe = step.word.starts_with("recipe") || step.word == "unit";
            if (!form->recipeWindow() && inTheRecipe) form->openRecipe();
            olvimar::RecipeWindow* recipe = form->recipeWindow();
            if (step.word == "recipe") {
                typeInto(recipe->box(static_cast<olvimar::recipe::Box>(n)), step.text);
            } else if (step.word == "unit") {
                recipe->unit()->setCurrentIndex(n);
            } else if (step.word == "recipe-table" || step.word == "recipe-says") {
                const QString shown = RecipeShown(*recipe, step.word == "recipe-says");
                QVERIFY2(shown == QString::fromStdString(step.arg),
                         qPrintable(where + ": " + shown.toUtf8()));
            } else if (step.word == "type") {
                typeInto(text1(n), step.text);
            } else if (step.word == "temperature") {
                form->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(n);
            } else if (step.word == "sheet") {
                typeInto(form->chartWindow()->sheet()->box(static_cast<olvimar::sheet::Box>(n)),
                         step.text);
            } else if (step.word == "handle") {
                typeInto(percent(), step.arg);
            } else if (step.word == "measure") {
                // By keyboard: both boxes, the temperature, and Enter in the viscosity's box.
                const QString share =
                    QString::fromStdString(step.text).section(QLatin1Char(' '), 0, 0);
                const QString visc = QString::fromStdString(step.text).section(QLatin1Char(' '), 1);
                auto* c = form->chartWindow()->calibration();
                typeInto(c->findChild<QLineEdit*>(QStringLiteral("MeasuredPercent")),
                         share.toStdString());
                c->findChild<QComboBox*>(QStringLiteral("MeasuredTemperature"))->setCurrentIndex(n);
                auto* viscosity = c->findChild<QLineEdit*>(QStringLiteral("MeasuredViscosity"));
                typeInto(viscosity, visc.toStdString());
                QTest::keyClick(viscosity, Qt::Key_Return);
                QVERIFY2(viscosity->text().isEmpty(),
                         where.constData());  // added: ready for the next
            } else if (step.word == "calibrate") {
                auto* box = form->chartWindow()->calibration()->findChild<QCheckBox*>(
                    QStringLiteral("Calibrate"));
                box->setFocus();
                QTest::keyClick(box, Qt::Key_Space);
            } else if (step.word == "generate") {
                form->Command1_Click();
            } else if (step.word == "message") {
                QVERIFY2(!catcher.boxes.isEmpty() &&
                             catcher.boxes.takeFirst().startsWith(
                                 QStringLiteral("Olvimar|") + QString::fromStdString(step.text)),
                         where.constData());
            } else if (step.word == "record") {
                const QString shown =
                    form->findChild<QPlainTextEdit*>(QStringLiteral("Text2"))->toPlainText();
                QVERIFY2(shown == QString::fromStdString(step.text),
                         qPrintable(where + ": " + shown.toUtf8()));
            } else if (step.word == "readout") {
                QVERIFY2(readout() == QString::fromStdString(step.text),
                         qPrintable(where + ": " + readout().toUtf8()));
            } else if (step.word == "section") {
                auto* c = form->chartWindow()->calibration();
                QStringList lines;
                for (QLabel* l : c->findChild<QWidget*>(QStringLiteral("MeasuredList"))
                                     ->findChildren<QLabel*>())
                    lines << l->text();
                const QString factors = c->findChild<QLabel*>(QStringLiteral("Factors"))->text();
                if (!factors.isEmpty()) lines << factors.split(QLatin1Char('\n'));
                QVERIFY2(lines.join(QStringLiteral(" | ")) == QString::fromStdString(step.arg),
                         qPrintable(where + ": " + lines.join(QStringLiteral(" | ")).toUtf8()));
            } else if (step.word == "below") {
                const QString shown =
                    form->chartWindow()->findChild<QLabel*>(QStringLiteral("SheetGrades"))->text();
                QVERIFY2(shown.section(QLatin1Char('\n'), 0, 0) == QString::fromStdString(step.arg),
                         qPrintable(where + ": " + shown.toUtf8()));
            } else if (step.word == "table") {
                auto* table =
                    form->chartWindow()->findChild<QTableWidget*>(QStringLiteral("SheetTable"));
                QStringList rows;
                for (int r = 0; r < table->rowCount(); ++r) {
                    QStringList cells;
                    for (int c = 0; c < table->columnCount(); ++c)
                        cells << table->item(r, c)->text();
                    rows << cells.join(QLatin1Char(' '));
                }
                QVERIFY2(rows.join(QStringLiteral(" | ")) == QString::fromStdString(step.arg),
                         qPrintable(where + ": " + rows.join(QStringLiteral(" | ")).toUtf8()));
            } else {
                QFAIL(qPrintable("a step the desktop does not run: " + where));
            }
        }
    }
    QVERIFY(run >= 1);
}

// Each measured blend's "删除" follows the button that adds them, in the list's order, then the
// switch; a temperature the user chose for the next blend stays chosen as the window redraws.
void ChartWindowTest::theMeasuredBlendsAreReachedByKeyboard() {
    openWithTheWorkedExample();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(handle()));
    auto* c = form->chartWindow()->calibration();
    auto* temperature = c->findChild<QComboBox*>(QStringLiteral("MeasuredTemperature"));
    auto* share = c->findChild<QLineEdit*>(QStringLiteral("MeasuredPercent"));
    auto* viscosity = c->findChild<QLineEdit*>(QStringLiteral("MeasuredViscosity"));
    temperature->setFocus();
    QTest::keyClick(temperature, Qt::Key_Down);  // 40 ℃, chosen by the user
    QCOMPARE(temperature->currentIndex(), 1);
    for (const char* blend : {"50 60", "30 70"}) {
        share->setText(QString::fromUtf8(blend).section(QLatin1Char(' '), 0, 0));
        viscosity->setText(QString::fromUtf8(blend).section(QLatin1Char(' '), 1));
        QTest::keyClick(viscosity, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), share);  // ready for the next blend's share
    }
    text1(2)->setText(QStringLiteral("11"));  // the window redraws
    form->chartWindow()->follow();
    QCOMPARE(temperature->currentIndex(), 1);
    QCOMPARE(form->form().MeasuredBlends().size(), std::size_t{2});
    auto* add = c->findChild<QPushButton*>(QStringLiteral("AddMeasured"));
    add->setFocus();
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        walked << (w->objectName().isEmpty()
                       ? w->accessibleName() + " " +
                             w->accessibleDescription().section(QLatin1Char(' '), 0, 2)
                       : w->objectName());
    }
    QCOMPARE(walked.join(QLatin1String(" | ")),
             QStringLiteral("删除 40 ℃，A 50%，实测 | 删除 40 ℃，A 30%，实测 | Calibrate"));
    // Each control by the name the section gives it; the choice's is its label's, to which a
    // screen reader on Linux hears it related, its current row being its text.
    const std::pair<const char*, const char*> names[] = {
        {"MeasuredPercent", "实测混合油的 A 比例 %"},
        {"MeasuredViscosity", "实测粘度 cSt"},
        {"MeasuredTemperature", "实测温度"},
        {"AddMeasured", "添加实测"},
        {"Calibrate", "按实测校准"}};
    for (const auto& [object, name] : names) {
        QWidget* w = c->findChild<QWidget*>(QLatin1String(object));
        const QString heard =
            w == temperature ? w->accessibleName()
                             : QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        QCOMPARE(heard, QString::fromUtf8(name));
    }
    // A screen reader meets the blends as a list, each line as its text.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
        c->findChild<QWidget*>(QStringLiteral("MeasuredList")));
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->text(QAccessible::Name), QStringLiteral("实测混合油"));
    QVERIFY(list->child(0)->text(QAccessible::Name).startsWith(QStringLiteral("40 ℃，A 50%")));
}

// After "删除" the focus stays in the list: the row that took its place, else the one before,
// else the share's box. And the 31st blend is refused with a quiet line, its boxes kept.
void ChartWindowTest::aRemovedBlendLeavesTheKeysInTheList() {
    openWithTheWorkedExample();
    auto* c = form->chartWindow()->calibration();
    auto* share = c->findChild<QLineEdit*>(QStringLiteral("MeasuredPercent"));
    auto* viscosity = c->findChild<QLineEdit*>(QStringLiteral("MeasuredViscosity"));
    const auto add = [&](const char* v) {
        share->setText(QStringLiteral("50"));
        viscosity->setText(v);
        QTest::keyClick(viscosity, Qt::Key_Return);
    };
    for (const char* v : {"10", "11", "12"}) add(v);
    QWidget* window = form->chartWindow();
    const auto focusedRow = [window] {
        return window->focusWidget()->accessibleDescription().section(' ', 2, 3);
    };
    const auto removeRow = [c](int row) {
        c->findChild<QWidget*>(QStringLiteral("MeasuredList"))
            ->findChildren<QPushButton*>()
            .at(row)
            ->click();
    };
    removeRow(1);
    QCOMPARE(focusedRow(), QStringLiteral("50%，实测 12"));
    removeRow(1);
    QCOMPARE(focusedRow(), QStringLiteral("50%，实测 10"));
    removeRow(0);
    QCOMPARE(window->focusWidget(), share);

    auto* note = c->findChild<QLabel*>(QStringLiteral("MeasuredNote"));
    while (form->form().MeasuredBlends().size() < olvimar::kMostMeasured) add("9");
    add("12.5");
    QVERIFY(note->isVisible() && note->text().contains(QStringLiteral("最多 30 个")));
    QCOMPARE(viscosity->text(), QStringLiteral("12.5"));
    removeRow(0);
    QVERIFY(!note->isVisible());
}

// Ctrl+R opens the recipe, a section named 配方 whose boxes, table and map a screen reader meets
// by their names; a click on the map sets both targets, and its arrows move them.
void ChartWindowTest::theRecipeOpensByCtrlRAndItsMapMovesTheTargets() {
    using olvimar::recipe::Box;
    text1(0)->setFocus();
    QTest::keyClick(text1(0), Qt::Key_R, Qt::ControlModifier);
    olvimar::RecipeWindow* recipe = form->recipeWindow();
    QVERIFY(recipe && recipe->isVisible());
    const char* oils[] = {"40", "7.276", "", "", "90", "13.69", "", "", "150", "14.5"};
    for (std::size_t b = 0; b < std::size(oils); ++b) recipe->box(Box(b))->setText(oils[b]);
    const auto heard = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return std::pair{a->role(), a->text(QAccessible::Name)};
    };
    QCOMPARE(heard(recipe->findChild<QWidget*>(QStringLiteral("Recipe"))),
             std::pair(QAccessible::Section, QStringLiteral("配方")));
    QCOMPARE(heard(recipe->box(olvimar::recipe::kC100)).second, QStringLiteral("C机油 100 ℃ 粘度"));
    QCOMPARE(heard(recipe->map()), std::pair(QAccessible::Chart, QStringLiteral("可调范围")));

    const QRect plot = recipe->map()->rect();
    QTest::mouseClick(recipe->map(), Qt::LeftButton, {}, plot.center());
    auto *t100 = recipe->box(olvimar::recipe::kT100), *t40 = recipe->box(olvimar::recipe::kT40);
    QVERIFY(!t100->text().isEmpty() && !t40->text().isEmpty());
    auto* table = recipe->findChild<QTableWidget*>(QStringLiteral("RecipeTable0"));
    QVERIFY(table->isVisibleTo(recipe));
    QAccessibleTableCellInterface* cell = QAccessible::queryAccessibleInterface(table)
                                              ->tableInterface()
                                              ->cellAt(0, 0)
                                              ->tableCellInterface();
    QCOMPARE(cell->rowHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("A机油"));
    QCOMPARE(cell->columnHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("比例 %"));
    const double before40 = t40->text().toDouble(), before100 = t100->text().toDouble();
    QTest::keyClick(recipe->map(), Qt::Key_Right);
    QTest::keyClick(recipe->map(), Qt::Key_Down);
    QVERIFY(t40->text().toDouble() > before40 && t100->text().toDouble() < before100);
    // The keyboard reaches the map after the boxes.
    recipe->unit()->setFocus();
    QTest::keyClick(recipe->unit(), Qt::Key_Tab);
    QCOMPARE(recipe->focusWidget(), static_cast<QWidget*>(recipe->map()));
}

// The data sheet is a table with row and column heads, and the lines' chart a figure with its
// summary.
void ChartWindowTest::theDataSheetIsATableToAScreenReader() {
    openWithTheWorkedExample();
    auto* table = form->chartWindow()->findChild<QTableWidget*>(QStringLiteral("SheetTable"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(table);
    QCOMPARE(a->role(), QAccessible::Table);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("混合油数据表"));
    QAccessibleTableInterface* t = a->tableInterface();
    QVERIFY(t);
    QCOMPARE(t->rowCount(), 3);
    QCOMPARE(t->columnCount(), 4);
    QAccessibleTableCellInterface* cell = t->cellAt(2, 1)->tableCellInterface();
    QCOMPARE(cell->rowHeaderCells().value(0)->text(QAccessible::Name),
             QStringLiteral("混合油 A 50%"));
    QCOMPARE(cell->columnHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("100 ℃"));
    for (const auto& [box, text] :
         {std::pair{olvimar::sheet::kA40, "40"}, {olvimar::sheet::kB40, "90"}}) {
        QLineEdit* edit = form->chartWindow()->sheet()->box(box);
        edit->setFocus();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    // Each box the sheet asks for is shown with the label that names it, at its left.
    for (QLabel* label : form->chartWindow()->sheet()->findChildren<QLabel*>()) {
        if (!label->buddy()) continue;
        const QWidget* box = label->buddy();
        QCOMPARE(label->isVisible(), box->isVisible());
        if (box->isVisible())
            QVERIFY2(label->geometry().right() < box->geometry().left(), qPrintable(label->text()));
    }
    QAccessibleInterface* chart =
        QAccessible::queryAccessibleInterface(form->chartWindow()->temperatures());
    QCOMPARE(chart->role(), QAccessible::Chart);
    QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("粘温曲线"));
    QVERIFY(chart->text(QAccessible::Description)
                .startsWith(QStringLiteral("粘温曲线，-20 ℃ 到 150 ℃。")));
}

int main(int argc, char* argv[]) {
    return olvimar::testing::RunOffscreen<ChartWindowTest>(argc, argv);
}

#include "chart_window_test.moc"
