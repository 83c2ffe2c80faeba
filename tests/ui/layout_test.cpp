// The window at the fonts a desktop may give it: the layout grows with the font, and every text
// still fits where it is drawn.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtTest>
#include <cmath>
#include <memory>

#include "form/layout.h"
#include "ui/chinese_interface.h"
#include "ui/form1.h"
#include "ui/temperature_box.h"
#include "window_fixture.h"

using olvimar::Form1;

namespace {

// What a box may have to show: Chinese, descenders and the comma's tail.
const QString kSample = QStringLiteral("gjpqy,;7,10 机油粘度");

// The ink of `text` drawn with its baseline at `baseline`.
QRect Ink(const QFontMetrics& fm, const QString& text, int baseline) {
    return fm.tightBoundingRect(text).translated(0, baseline);
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void textFitsAtEveryFont_data();
    void textFitsAtEveryFont();
    void followsTheDesktopFontFromTheStart_data();
    void followsTheDesktopFontFromTheStart();

  private:
    template <typename W>
    W* find(const QString& name) const {
        W* w = form->findChild<W*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    // The last row of `w` that no sibling drawn over it covers across its width.
    int visibleBottom(const QWidget* w) const;

    QFont designFont;
    std::unique_ptr<Form1> form;
};

void LayoutTest::init() {
    designFont = QApplication::font();
    form = std::make_unique<Form1>();  // made at the design font; the test changes it while open
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void LayoutTest::cleanup() {
    form.reset();
    QApplication::setFont(designFont);
}

int LayoutTest::visibleBottom(const QWidget* w) const {
    int bottom = w->height() - 1;
    const QList<QWidget*> siblings = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
        const QRect over = siblings[i]->geometry().intersected(w->geometry());
        if (over.width() == w->width() && over.bottom() == w->geometry().bottom())
            bottom = std::min(bottom, over.top() - w->y() - 1);
    }
    return bottom;
}

void LayoutTest::textFitsAtEveryFont_data() {
    QTest::addColumn<int>("pixels");
    for (int pixels : {12, 14, 16, 20, 24}) QTest::addRow("%d px", pixels) << pixels;
}

void LayoutTest::textFitsAtEveryFont() {
    QFETCH(int, pixels);
    QFont font = designFont;
    font.setPixelSize(pixels);
    QApplication::setFont(font);
    QCoreApplication::processEvents();  // the font reaches open windows by a posted event
    QCOMPARE(QFontInfo(form->font()).pixelSize(), pixels);

    // The window follows the font; at the design font it is exactly as the twips say. Each edge
    // is at twips / 15 * (font / 12) pixels, to the nearest, so edges that meet still meet.
    const auto px = [pixels](int twips) {
        return static_cast<int>(std::floor(twips * pixels / 180.0 + 0.5));
    };
    QCOMPARE(form->size(), QSize(px(4770), px(4365)));
    if (pixels == 12) QCOMPARE(form->size(), QSize(318, 291));
    form->Command3_Click();
    QCOMPARE(form->width(), px(6825));
    for (const QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(form->rect().contains(w->geometry()), qPrintable(w->objectName()));
    // Each control at its own place, as the layout table gives it at this font.
    for (const olvimar::layout::Place& p : olvimar::layout::kControls) {
        const QRect place(QPoint(px(p.left), px(p.top)),
                          QPoint(px(p.left + p.width) - 1, px(p.top + p.height) - 1));
        QCOMPARE(find<QWidget>(QString::fromLatin1(p.name))->geometry(), place);
    }

    const QFontMetrics fm = form->fontMetrics();
    for (int i = 0; i < 6; ++i) {
        auto* box = find<QLineEdit>(QStringLiteral("Text1_%1").arg(i));
        box->setText(kSample);
        box->setCursorPosition(0);
        const QRect cursor = box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QRect ink = Ink(fm, kSample, cursor.top() + fm.ascent());
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        QVERIFY2(ink.top() >= frame && ink.bottom() <= visibleBottom(box) &&
                     ink.right() < box->width() - frame,
                 qPrintable(QStringLiteral("%1: ink %2..%3, visible %4..%5")
                                .arg(box->objectName())
                                .arg(ink.top())
                                .arg(ink.bottom())
                                .arg(frame)
                                .arg(visibleBottom(box))));
    }

    for (QLabel* label : form->findChildren<QLabel*>()) {
        const QRect ink = fm.tightBoundingRect(label->text());
        QVERIFY2(ink.width() <= label->width() && ink.height() <= visibleBottom(label) + 1,
                 qPrintable(label->objectName()));
    }
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        const QString text = button->text().remove(QLatin1Char('&'));
        if (text.isEmpty()) continue;  // the bar has no caption
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        QVERIFY2(fm.horizontalAdvance(text) + 2 * margin <= button->width() &&
                     fm.height() <= button->height(),
                 qPrintable(button->objectName()));
    }

    auto* list = find<QListWidget>(QStringLiteral("List1"));
    for (int row = 0; row < list->count(); ++row) {
        const QRect r = list->visualItemRect(list->item(row));
        const QSize wanted =
            list->itemDelegate()->sizeHint(QStyleOptionViewItem(), list->model()->index(row, 0));
        QVERIFY2(list->viewport()->rect().contains(r), qPrintable(list->item(row)->text()));
        QVERIFY2(fm.tightBoundingRect(list->item(row)->text()).height() <= r.height() &&
                     wanted.width() <= r.width(),
                 qPrintable(list->item(row)->text()));
    }

    auto* combo = find<olvimar::TemperatureBox>(QStringLiteral("Combo1"));
    const QRect field = combo->textField();
    for (int row = 0; row < combo->count(); ++row) {
        const QString text = combo->itemText(row);
        const QRect ink = Ink(fm, text, combo->textBaseline());
        QVERIFY2(ink.width() <= field.width() && ink.top() >= field.top() &&
                     ink.bottom() <= visibleBottom(combo),
                 qPrintable(text));
        QVERIFY(fm.tightBoundingRect(text).height() <= combo->view()->sizeHintForRow(row));
    }

    // A record line never wraps.
    auto* record = find<QPlainTextEdit>(QStringLiteral("Text2"));
    QVERIFY(fm.horizontalAdvance(QStringLiteral("A -13.45% -0.538L, B 113.45% 4.538L MAX")) <
            record->viewport()->width() - 8);
}

void LayoutTest::followsTheDesktopFontFromTheStart_data() {
    QTest::addColumn<int>("desktop");
    QTest::addColumn<int>("window");
    QTest::addRow("a 16-px desktop font: larger") << 16 << 16;
    QTest::addRow("a 10-px desktop font: never below the design") << 10 << 12;
}

// The desktop's font as the program finds it when it starts, before the window exists.
void LayoutTest::followsTheDesktopFontFromTheStart() {
    QFETCH(int, desktop);
    QFETCH(int, window);
    form.reset();
    QFont font = designFont;
    font.setPixelSize(desktop);
    QApplication::setFont(font);
    olvimar::UseChineseInterface(*qApp);
    form = std::make_unique<Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(QFontInfo(form->font()).pixelSize(), window);
    QCOMPARE(form->size(), QSize(4770 * window / 180, 4365 * window / 180));  // whole pixels here
}

int main(int argc, char* argv[]) {
    return olvimar::testing::RunOffscreen<LayoutTest>(argc, argv);
}

#include "layout_test.moc"
