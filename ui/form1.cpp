#include "ui/form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <exception>
#include <limits>

#include "calc/generation.h"
#include "calc/number_rules.h"
#include "calc/text_ops.h"
#include "calc/value_ops.h"
#include "ui/accessible.h"
#include "ui/failure_text.h"
#include "ui/preset_list.h"
#include "ui/record_box.h"
#include "ui/tab_stop_delegate.h"
#include "ui/temperature_box.h"
#include "ui/text_fit.h"
#include "ui/twips.h"
#include "ui/window_texts.h"

namespace olvimar {

namespace {

template <std::size_t N>
QStringList Rows(const std::array<const char*, N>& rows) {
    QStringList list;
    for (const char* row : rows) list.append(QString::fromUtf8(row));
    return list;
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    InstallAccessibility();
    setWindowTitle(QString::fromUtf8(texts::kCaption));
    createControls();
    setTabOrder();
    describeForScreenReaders();
    Form_Load();
    Text1[0]->setFocus();  // the first control of the tab order
}

Form1::~Form1() = default;

template <typename W>
W* Form1::Place(const char* name, TwipsRect where) {
    auto* w = new W(this);
    w->setObjectName(QString::fromLatin1(name));
    layout_.emplace_back(w, where);
    return w;
}

QLabel* Form1::PlaceLabel(const char* name, TwipsRect where, const char* text) {
    auto* label = Place<QLabel>(name, where);
    label->setText(QString::fromUtf8(text));
    return label;
}

void Form1::createControls() {
    //                                 Left   Top  Width Height
    Text1[0] = Place<QLineEdit>("Text1_0", {2760, 120, 1935, 270});
    Text1[1] = Place<QLineEdit>("Text1_1", {2760, 360, 1935, 270});
    Combo1 = Place<TemperatureBox>("Combo1", {2760, 600, 1935, 300});
    Text1[2] = Place<QLineEdit>("Text1_2", {2760, 840, 1935, 270});
    Text1[3] = Place<QLineEdit>("Text1_3", {2760, 1080, 1935, 270});
    Command1 = Place<QPushButton>("Command1", {2520, 1680, 975, 375});
    Command2 = Place<QPushButton>("Command2", {3600, 1680, 975, 375});
    List1 = Place<PresetList>("List1", {120, 120, 1575, 1500});
    Label1[0] = PlaceLabel("Label1_0", {1800, 135, 855, 255}, texts::kLabel1[0]);
    Label1[1] = PlaceLabel("Label1_1", {1800, 645, 855, 255}, texts::kLabel1[1]);
    Label1[2] = PlaceLabel("Label1_2", {1800, 375, 855, 255}, texts::kLabel1[2]);
    Label1[3] = PlaceLabel("Label1_3", {1800, 855, 855, 255}, texts::kLabel1[3]);
    Label2 = PlaceLabel("Label2", {1800, 1440, 2895, 255}, texts::kLabel2);
    Text2 = Place<QPlainTextEdit>("Text2", {120, 2160, 4575, 2055});
    Label3 = PlaceLabel("Label3", {120, 1800, 855, 255}, texts::kLabel3);
    Label1[4] = PlaceLabel("Label1_4", {1800, 1095, 855, 255}, texts::kLabel1[4]);
    Label1[5] = PlaceLabel("Label1_5", {4800, 120, 1095, 255}, texts::kLabel1[5]);
    Label1[6] = PlaceLabel("Label1_6", {4800, 720, 1095, 255}, texts::kLabel1[6]);
    Command3 = Place<QPushButton>("Command3", {4680, 1320, 90, 2175});
    Text1[4] = Place<QLineEdit>("Text1_4", {4800, 360, 1935, 270});
    Text1[5] = Place<QLineEdit>("Text1_5", {4800, 960, 1935, 270});

    Combo1->addItems(Rows(texts::kTemperatures));
    Combo1->setCurrentIndex(-1);  // no temperature until the user picks one

    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setItemDelegate(new TabStopDelegate(List1));
    List1->addItems(Rows(texts::kPresetRows));

    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text2->setTabChangesFocus(true);
    recordBox_ = std::make_unique<RecordBox>(Text2);

    Command1->setText(QString::fromUtf8(texts::kCommand1));
    Command2->setText(QString::fromUtf8(texts::kCommand2));
    // Enter on a focused button presses that button; elsewhere it presses Generate.
    for (QPushButton* b : {Command1, Command2, Command3}) b->setAutoDefault(true);
    Command1->setDefault(true);

    for (QLineEdit* box : Text1) {
        box->setMaxLength(std::numeric_limits<int>::max());  // the boxes take text of any length
        box->installEventFilter(this);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{Combo1, List1, Text2, Command1, Command2, Command3})
        w->installEventFilter(this);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
    connect(List1, &PresetList::insertRequested, this, [this] { List1_DblClick(); });
    // Outside a dialog Qt forgets the default button once it has had the focus and lost it; the
    // frame that says "Enter generates" comes back whenever no other button has the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this)
            Command1->setDefault(now == Command1 || !qobject_cast<QPushButton*>(now));
    });
}

void Form1::describeForScreenReaders() {
    // Each field is announced by the label that stands beside it (or above it).
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {Label1[0], Text1[0]}, {Label1[2], Text1[1]}, {Label1[1], Combo1},   {Label1[3], Text1[2]},
        {Label1[4], Text1[3]}, {Label1[5], Text1[4]}, {Label1[6], Text1[5]}, {Label3, Text2}};
    for (auto [label, field] : buddies) {
        label->setBuddy(field);
        field->setAccessibleName(label->text());
    }
    Combo1->view()->setAccessibleName(Label1[1]->text());  // the list that drops down
    Text1[2]->setAccessibleDescription(Label2->text());
    List1->setAccessibleName(QStringLiteral("预设列表"));
    List1->setAccessibleDescription(QStringLiteral(
        "常见机油的粘度和总油量。双击一行，或选中后按 Enter，把它的数值填入最后使用的输入框。"));
    // A row is read out without its TAB, and the blank row says that it is blank.
    for (int row = 0; row < List1->count(); ++row) {
        QListWidgetItem* item = List1->item(row);
        QString name = item->text().replace(QLatin1Char('\t'), QLatin1Char(' '));
        item->setData(Qt::AccessibleTextRole,
                      name.isEmpty() ? QStringLiteral("空行（清空输入框）") : name);
    }
    List1->item(List1->count() - 1)
        ->setData(
            Qt::AccessibleDescriptionRole,
            QStringLiteral("双击一行，或选中后按 Enter，把它的数值填入右侧最后使用的输入框。"));
    Command1->setAccessibleName(QStringLiteral("生成"));
    Command1->setAccessibleDescription(
        QStringLiteral("按生成粘度算出两种机油的配比，加入生成记录。快捷键 Alt+E 或 Enter。"));
    Command2->setAccessibleName(QStringLiteral("清空"));
    Command2->setAccessibleDescription(QStringLiteral("清空生成记录。快捷键 Alt+C 或 Esc。"));
    Command3->setAccessibleName(QStringLiteral("剪切稳定性"));
    Command3->setAccessibleDescription(
        QStringLiteral("加宽窗口，显示A剪切稳定性和B剪切稳定性输入框；再按一次收起。"));
    Command3->setToolTip(Command3->accessibleDescription());
}

void Form1::setTabOrder() {
    QWidget* const order[] = {Text1[0], Text1[1], Combo1, Text1[2], Text1[3], Command1,
                              Command2, List1,    Text2,  Command3, Text1[4], Text1[5]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

Twips Form1::scale() const {
    return Twips::ForFont(QFontInfo(font()).pixelSize());
}

void Form1::layOut() {
    const Twips t = scale();
    for (const auto& [control, where] : layout_) control->setGeometry(t.rect(where));
    // Each box of the main column is covered by the next from 240 twips down.
    for (QLineEdit* box : Text1) CentreTextByInk(box, t.px(240));
    setFixedSize(t.px(clientWidth_), t.px(kHeight));
}

void Form1::setClientWidth(int widthTwips) {
    clientWidth_ = widthTwips;
    layOut();
}

void Form1::changeEvent(QEvent* event) {
    // A desktop or platform theme may set its own font after the window was made.
    if (event->type() == QEvent::FontChange) layOut();
    QWidget::changeEvent(event);
}

void Form1::Form_Load() {
    preset[0] = Value::Double(7.276);
    preset[1] = Value::Double(11.25);
    preset[2] = Value::Double(13.69);
    preset[3] = Value::Integer(4);
    preset[4] = Value::Integer(5);
    temp = BlendConstants();
    setClientWidth(kNarrowWidth);  // the shear column starts hidden beyond the right edge
}

void Form1::Text1_GotFocus(int index) {
    focusIdx = Value::Integer(static_cast<std::int16_t>(index));
}

void Form1::List1_DblClick() {
    // focusIdx is Empty (the first box) or the index of a box, so this stays inside Text1.
    QLineEdit* target = Text1.at(static_cast<std::size_t>(ToIndex(focusIdx)));
    const Value old = Value::Text(Utf8(target->text()));
    const bool append = IsTrue(And(Equals(focusIdx, 2), Len(old)));

    const QList<QListWidgetItem*> selected = List1->selectedItems();
    const int r = selected.isEmpty() ? -1 : List1->row(selected.front());
    if (r < 0 || r >= static_cast<int>(preset.size())) return;  // no row: nothing to insert

    const Value& value = preset[static_cast<std::size_t>(r)];
    const Value next = append ? Concat(Concat(old, Value::Text(",")), value) : value;
    target->setText(QString::fromStdString(NumberText(next)));
}

BlendFields Form1::readFields() const {
    BlendFields f;
    f.s = static_cast<std::int16_t>(Combo1->currentIndex());
    f.viscA = Utf8(Text1[0]->text());
    f.viscB = Utf8(Text1[1]->text());
    f.litres = Utf8(Text1[3]->text());
    f.lossA = Utf8(Text1[4]->text());
    f.lossB = Utf8(Text1[5]->text());
    return f;
}

void Form1::Command1_Click() {
    try {
        const std::size_t before = RecordText().size();
        const RunResult result = RunGeneration(Utf8(Text1[2]->text()), readFields(), temp, record);
        if (!result.ok()) {
            showFailure(result);  // the record box keeps what it showed
            return;
        }
        ShowRecord();
        // Show the first entry of this press, not the top of a long record.
        if (RecordText().size() > before) recordBox_->bringIntoView(RecordText(), before);
    } catch (const std::exception&) {
        // Only running out of memory gets here; whole entries stay whole.
        QMessageBox::critical(this, windowTitle(), UnexpectedFailureMessage());
    }
}

void Form1::ShowRecord() {
    recordBox_->show(RecordText());
}

std::string_view Form1::RecordText() const {
    return record.isText() ? std::string_view(record.text()) : std::string_view();  // Empty: ""
}

void Form1::showFailure(const RunResult& result) {
    QMessageBox::warning(this, windowTitle(), FailureMessage(*result.failure, result.values));
}

void Form1::Command2_Click() {
    record = Value::Text("");
    recordBox_->clear();
}

void Form1::Command3_Click() {
    if (IsTrue(wide)) {
        setClientWidth(kNarrowWidth);
        wide = Value::Integer(0);
    } else {
        setClientWidth(kWideWidth);
        wide = Value::Integer(1);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (std::size_t i = 0; i < Text1.size(); ++i)
            if (watched == Text1[i]) Text1_GotFocus(static_cast<int>(i));
        // Typing must never go where nobody can see it: a shear box that takes the focus while
        // the column is hidden widens the window, as the bar does.
        if ((watched == Text1[4] || watched == Text1[5]) && !IsTrue(wide)) Command3_Click();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        Command2->click();  // Esc clears wherever the focus is
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        button->click();
        return true;
    }
    if (watched == Text2 && key->modifiers().testFlag(Qt::ControlModifier)) {
        Text2->insertPlainText(QStringLiteral("\n"));  // Ctrl+Enter starts a new line
        return true;
    }
    if (watched == List1) {
        List1_DblClick();  // Enter on a row inserts its preset, as a double-click does
        return true;
    }
    Command1->click();
    return true;
}

}  // namespace olvimar
