#include "ui/form1.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "chart/chart.h"
#include "form/layout.h"
#include "form/window_texts.h"
#include "recipe/recipe_texts.h"
#include "ui/accessible.h"
#include "ui/chart_view.h"
#include "ui/chart_window.h"
#include "ui/key_press.h"
#include "ui/preset_list.h"
#include "ui/qt_text.h"
#include "ui/recipe_window.h"
#include "ui/record_box.h"
#include "ui/sheet_panel.h"
#include "ui/tab_stop_delegate.h"
#include "ui/temperature_box.h"
#include "ui/text_fit.h"

namespace olvimar {

namespace {

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
W* Form1::control(const char* name) const {
    for (const auto& [w, where] : layout_)
        if (where->name == std::string_view(name)) return static_cast<W*>(w);
    return nullptr;  // every name of the layout's tables has its control
}

template <typename W>
W* Form1::Place(const char* name) {
    auto* w = new W(this);
    w->setObjectName(QString::fromLatin1(name));
    layout_.emplace_back(w, &layout::PlaceOf(name));
    return w;
}

QLabel* Form1::PlaceLabel(const char* name) {
    auto* label = Place<QLabel>(name);
    label->setText(Utf8(texts::CaptionOf(name)));
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
    Label1[0] = PlaceLabel("Label1_0");
    Label1[1] = PlaceLabel("Label1_1");
    Label1[2] = PlaceLabel("Label1_2");
    Label1[3] = PlaceLabel("Label1_3");
    Label2 = PlaceLabel("Label2");
    Text2 = Place<QPlainTextEdit>("Text2");
    Label3 = PlaceLabel("Label3");
    Label1[4] = PlaceLabel("Label1_4");
    Label1[5] = PlaceLabel("Label1_5");
    Label1[6] = PlaceLabel("Label1_6");
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

    Command1->setText(Utf8(texts::CaptionOf("Command1")));
    Command2->setText(Utf8(texts::CaptionOf("Command2")));
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

    // The chart follows the boxes as the user types, and the record box's menu opens it.
    for (QLineEdit* box : Text1_)
        connect(box, &QLineEdit::textChanged, this, [this] { followChart(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { followChart(); });
    Text2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Text2, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        std::unique_ptr<QMenu> menu(Text2->createStandardContextMenu(at));
        menu->addSeparator();
        QAction* open = menu->addAction(Utf8(texts::kOpenChart), this, [this] { openChart(); });
        open->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
        QAction* recipe = menu->addAction(Utf8(texts::kOpenRecipe), this, [this] { openRecipe(); });
        recipe->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
        menu->exec(Text2->mapToGlobal(at));
    });

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
    for (const layout::Labelled& l : layout::kLabels) {
        auto* label = control<QLabel>(l.label);
        QWidget* field = control<QWidget>(l.control);
        label->setBuddy(field);
        field->setAccessibleName(label->text());
    }
    Combo1->view()->setAccessibleName(Combo1->accessibleName());  // the list that drops down
    control<QWidget>(layout::kHint.control)
        ->setAccessibleDescription(control<QLabel>(layout::kHint.label)->text());
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
    const auto& order = layout::kTabOrder;
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(control<QWidget>(order[i]), control<QWidget>(order[i + 1]));
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

// ---- The blend chart ----

void Form1::openChart() {
    if (!chart_) {
        chart_ = new ChartWindow(
            form_, [this] { return Text1(2); }, this);
        // The sheet's boxes and the switch reach the recipe too.
        if (recipe_) connect(chart_, &ChartWindow::followed, recipe_, &RecipeWindow::follow);
    }
    chart_->follow();
    chart_->show();
    chart_->raise();
    chart_->activateWindow();
    chart_->view()->setFocus(Qt::ShortcutFocusReason);
}

void Form1::followChart() {
    if (chart_ && chart_->isVisible()) chart_->follow();
    if (recipe_ && recipe_->isVisible()) recipe_->follow();  // A and B stand for the window's
}

// ---- The recipe ----

void Form1::openRecipe() {
    if (!recipe_) {
        // The data sheet's boxes, where its window was made; as a new one has them otherwise.
        recipe_ = new RecipeWindow(
            form_,
            [this] {
                std::array<std::string, sheet::kBoxes> boxes{"", "", "", "", sheet::kStartAtT};
                return chart_ ? chart_->sheet()->boxes() : boxes;
            },
            this);
        if (chart_) connect(chart_, &ChartWindow::followed, recipe_, &RecipeWindow::follow);
    }
    recipe_->follow();
    recipe_->show();
    recipe_->raise();
    recipe_->activateWindow();
    recipe_->box(recipe::kA40)->setFocus(Qt::ShortcutFocusReason);
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

std::optional<keys::Focus> Form1::focusKind(const QObject* control) const {
    if (control == Text2) return keys::Focus::RecordBox;
    if (control == List1) return keys::Focus::List;
    if (qobject_cast<const QPushButton*>(control)) return keys::Focus::Button;
    if (control == Combo1 || qobject_cast<const QLineEdit*>(control)) return keys::Focus::Box;
    return std::nullopt;
}

bool Form1::hasOwnEdit(const QObject* control) const {
    if (auto* box = qobject_cast<const QLineEdit*>(control)) return box->isUndoAvailable();
    return control == Text2 && Text2->document()->isUndoAvailable();
}

bool Form1::carryOut(keys::Action action, QObject* control) {
    switch (action) {
        case keys::Action::Pass:
            return false;
        case keys::Action::Generate:
            Command1->click();
            break;
        case keys::Action::Clear:
            Command2->click();
            break;
        case keys::Action::UndoOwnEdit:
            if (auto* box = qobject_cast<QLineEdit*>(control)) box->undo();
            if (control == Text2) Text2->undo();
            break;
        case keys::Action::UndoClear:
            form_.UndoClear();
            break;
        case keys::Action::PressFocused:
            if (auto* button = qobject_cast<QPushButton*>(control)) button->click();
            break;
        case keys::Action::InsertPreset:
            List1_DblClick();
            break;
        case keys::Action::NewLine:
            Text2->insertPlainText(QStringLiteral("\n"));
            break;
        case keys::Action::ListPrevious:
            List1->setCurrentRow(std::max(List1->currentRow() - 1, 0));
            break;
        case keys::Action::ListNext:
            List1->setCurrentRow(std::min(List1->currentRow() + 1, List1->count() - 1));
            break;
        case keys::Action::ListFirst:
            List1->setCurrentRow(0);
            break;
        case keys::Action::ListLast:
            List1->setCurrentRow(List1->count() - 1);
            break;
        case keys::Action::OpenChart:
            openChart();
            break;
        case keys::Action::OpenRecipe:
            openRecipe();
            break;
        default:
            return false;  // the chart's keys, which its own window carries out
    }
    return true;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (std::size_t i = 0; i < Text1_.size(); ++i)
            if (watched == Text1_[i]) Text1_GotFocus(static_cast<int>(i));
        return false;
    }
    const std::optional<keys::Focus> focus = focusKind(watched);
    if (event->type() != QEvent::KeyPress || !focus) return false;
    const keys::Action action = keys::ActionFor(PressOf(static_cast<QKeyEvent*>(event)), *focus,
                                                hasOwnEdit(watched), form_.CanUndoClear());
    return carryOut(action, watched);
}

}  // namespace olvimar
