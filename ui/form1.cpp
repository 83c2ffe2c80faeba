#include "ui/form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

#include "form/layout.h"
#include "form/window_texts.h"
#include "ui/accessible.h"
#include "ui/preset_list.h"
#include "ui/record_box.h"
#include "ui/tab_stop_delegate.h"
#include "ui/temperature_box.h"
#include "ui/text_fit.h"

namespace olvimar {

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

template <std::size_t N>
QStringList Rows(const std::array<const char*, N>& rows) {
    QStringList list;
    for (const char* row : rows) list.append(Utf8(row));
    return list;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    InstallAccessibility();
    setWindowTitle(Utf8(texts::kCaption));
    createControls();
    setTabOrder();
    describeForScreenReaders();
    form_.Form_Load();
    Text1_[0]->setFocus();  // the first control of the tab order
}

Form1::~Form1() = default;

template <typename W>
W* Form1::Place(const char* name) {
    auto* w = new W(this);
    w->setObjectName(QString::fromLatin1(name));
    layout_.emplace_back(w, &layout::PlaceOf(name));
    return w;
}

QLabel* Form1::PlaceLabel(const char* name, const char* text) {
    auto* label = Place<QLabel>(name);
    label->setText(Utf8(text));
    return label;
}

void Form1::createControls() {
    // In the order of the tab index, which is also the order in which they are drawn.
    Text1_[0] = Place<QLineEdit>("Text1_0");
    Text1_[1] = Place<QLineEdit>("Text1_1");
    Combo1 = Place<TemperatureBox>("Combo1");
    Text1_[2] = Place<QLineEdit>("Text1_2");
    Text1_[3] = Place<QLineEdit>("Text1_3");
    Command1 = Place<QPushButton>("Command1");
    Command2 = Place<QPushButton>("Command2");
    List1 = Place<PresetList>("List1");
    Label1[0] = PlaceLabel("Label1_0", texts::kLabel1[0]);
    Label1[1] = PlaceLabel("Label1_1", texts::kLabel1[1]);
    Label1[2] = PlaceLabel("Label1_2", texts::kLabel1[2]);
    Label1[3] = PlaceLabel("Label1_3", texts::kLabel1[3]);
    Label2 = PlaceLabel("Label2", texts::kLabel2);
    Text2 = Place<QPlainTextEdit>("Text2");
    Label3 = PlaceLabel("Label3", texts::kLabel3);
    Label1[4] = PlaceLabel("Label1_4", texts::kLabel1[4]);
    Label1[5] = PlaceLabel("Label1_5", texts::kLabel1[5]);
    Label1[6] = PlaceLabel("Label1_6", texts::kLabel1[6]);
    Command3 = Place<QPushButton>("Command3");
    Text1_[4] = Place<QLineEdit>("Text1_4");
    Text1_[5] = Place<QLineEdit>("Text1_5");

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

    Command1->setText(Utf8(texts::kCommand1));
    Command2->setText(Utf8(texts::kCommand2));
    // Enter on a focused button presses that button; elsewhere it presses Generate.
    for (QPushButton* b : {Command1, Command2, Command3}) b->setAutoDefault(true);
    Command1->setDefault(true);

    for (QLineEdit* box : Text1_) {
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
    const std::pair<QLabel*, QWidget*> buddies[] = {{Label1[0], Text1_[0]}, {Label1[2], Text1_[1]},
                                                    {Label1[1], Combo1},    {Label1[3], Text1_[2]},
                                                    {Label1[4], Text1_[3]}, {Label1[5], Text1_[4]},
                                                    {Label1[6], Text1_[5]}, {Label3, Text2}};
    for (auto [label, field] : buddies) {
        label->setBuddy(field);
        field->setAccessibleName(label->text());
    }
    Combo1->view()->setAccessibleName(Label1[1]->text());  // the list that drops down
    Text1_[2]->setAccessibleDescription(Label2->text());
    List1->setAccessibleName(Utf8(texts::kListName));
    List1->setAccessibleDescription(Utf8(texts::kListDescription));
    // A row is read out without its TAB, and the blank row says that it is blank.
    for (int row = 0; row < List1->count(); ++row) {
        QListWidgetItem* item = List1->item(row);
        QString name = item->text().replace(QLatin1Char('\t'), QLatin1Char(' '));
        item->setData(Qt::AccessibleTextRole, name.isEmpty() ? Utf8(texts::kBlankRowName) : name);
    }
    List1->item(List1->count() - 1)
        ->setData(Qt::AccessibleDescriptionRole, Utf8(texts::kHintRowDescription));
    Command1->setAccessibleName(Utf8(texts::kCommand1Name));
    Command1->setAccessibleDescription(Utf8(texts::kCommand1Description));
    Command2->setAccessibleName(Utf8(texts::kCommand2Name));
    Command2->setAccessibleDescription(Utf8(texts::kCommand2Description));
    Command3->setAccessibleName(Utf8(texts::kCommand3Name));
    Command3->setAccessibleDescription(Utf8(texts::kCommand3Description));
    Command3->setToolTip(Command3->accessibleDescription());
}

void Form1::setTabOrder() {
    QWidget* const order[] = {Text1_[0], Text1_[1], Combo1, Text1_[2], Text1_[3], Command1,
                              Command2,  List1,     Text2,  Command3,  Text1_[4], Text1_[5]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

Twips Form1::scale() const {
    return Twips::ForFont(QFontInfo(font()).pixelSize());
}

void Form1::layOut() {
    const Twips t = scale();
    for (const auto& [control, where] : layout_) control->setGeometry(t.rect(*where));
    for (QLineEdit* box : Text1_) CentreTextByInk(box, t.px(layout::kRowPitch));
    setFixedSize(t.px(clientWidth_), t.px(layout::kHeight));
}

void Form1::changeEvent(QEvent* event) {
    // A desktop or platform theme may set its own font after the window was made.
    if (event->type() == QEvent::FontChange && clientWidth_ > 0) layOut();
    QWidget::changeEvent(event);
}

// ---- The view of the Form ----

std::string Form1::Text1(int index) const {
    return Text1_.at(static_cast<std::size_t>(index))->text().toStdString();
}

void Form1::SetText1(int index, const std::string& text) {
    Text1_.at(static_cast<std::size_t>(index))->setText(QString::fromStdString(text));
}

int Form1::Combo1Index() const {
    return Combo1->currentIndex();
}

void Form1::SetCombo1Index(int row) {
    Combo1->setCurrentIndex(row);
}

int Form1::List1Index() const {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.front());
}

void Form1::SetClientWidth(int twips) {
    clientWidth_ = twips;
    layOut();
}

void Form1::ShowRecord(std::string_view record, std::size_t firstNew) {
    recordBox_->show(record);
    // Show the first entry of this press, not the top of a long record.
    if (record.size() > firstNew) recordBox_->bringIntoView(record, firstNew);
}

void Form1::ClearRecord() {
    recordBox_->clear();
}

void Form1::ShowUndoClear(bool possible) {
    const QString hint = possible ? Utf8(texts::kUndoClearHint) : QString();
    Text2->setPlaceholderText(hint);
    Text2->setAccessibleDescription(hint);  // read out as the box takes the focus
}

void Form1::ShowFailure(const std::string& message) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(message));
}

// ---- The keyboard ----

bool Form1::undoesClear(QObject* focused) const {
    if (!form_.CanUndoClear()) return false;
    if (auto* box = qobject_cast<QLineEdit*>(focused)) return !box->isUndoAvailable();
    if (focused == Text2) return !Text2->document()->isUndoAvailable();
    return true;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (std::size_t i = 0; i < Text1_.size(); ++i)
            if (watched == Text1_[i]) Text1_GotFocus(static_cast<int>(i));
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo) && undoesClear(watched)) {
        form_.UndoClear();
        return true;
    }
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
