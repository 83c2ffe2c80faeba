#include "ui/recipe_window.h"

#include <QComboBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "form/form.h"
#include "form/layout.h"
#include "form/text_fill.h"
#include "recipe/recipe_texts.h"
#include "ui/map_view.h"
#include "ui/qt_text.h"

namespace olvimar {

namespace {

using namespace recipe;

// The unit a box takes, beside it.
QString UnitOf(std::size_t b) {
    switch (b) {
        case kADensity:
        case kBDensity:
        case kCDensity:
        case kPDensity:
            return QString::fromUtf8(texts::kRecipeDensityUnit);
        case kAPrice:
        case kBPrice:
        case kCPrice:
        case kPPrice:
            return Utf8(Fill(texts::kRecipePriceUnit, {texts::kRecipeUnits[0]}));
        case kPShare:
        case kTIndex:
        case kTotal:
            return {};
        default:
            return QString::fromUtf8(texts::kRecipeViscosityUnit);
    }
}

QTableWidget* NewTable(QWidget* parent, int i) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QStringLiteral("RecipeTable%1").arg(i));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::TabFocus);  // a screen reader's user walks its cells
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return table;
}

void Show(QTableWidget* table, const recipe::Table& t) {
    table->setAccessibleName(Utf8(t.name));
    table->setRowCount(static_cast<int>(t.heads.size()));
    table->setColumnCount(static_cast<int>(t.columns.size()));
    QStringList columns, rows;
    for (const std::string& c : t.columns) columns << Utf8(c);
    for (const std::string& r : t.heads) rows << Utf8(r);
    table->setHorizontalHeaderLabels(columns);
    table->setVerticalHeaderLabels(rows);
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(
                Utf8(t.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    // Tall enough for its rows, no more.
    table->resizeRowsToContents();
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          table->verticalHeader()->length() + 2 * table->frameWidth());
}

}  // namespace

RecipeWindow::RecipeWindow(const Form& form,
                           std::function<std::array<std::string, sheet::kBoxes>()> sheet,
                           QWidget* owner)
    : QWidget(owner, Qt::Window), form_(form), sheet_(std::move(sheet)) {
    setObjectName(QStringLiteral("RecipeWindow"));
    setWindowTitle(QString::fromUtf8(texts::kRecipeTitle));
    auto* section = new RecipeSection(this);
    section->setObjectName(QStringLiteral("Recipe"));
    section->setAccessibleName(QString::fromUtf8(texts::kRecipeTitle));

    // The boxes in their groups, two groups abreast: A and B, C and the package, the targets and
    // the total.
    auto* groups = new QGridLayout;
    const std::size_t ends[] = {kB40, kC40, kP40, kT100, kTotal, kBoxes};
    std::vector<QWidget*> order;
    for (std::size_t g = 0, b = 0; g < std::size(ends); ++g) {
        auto* group = new QGroupBox(QString::fromUtf8(texts::kRecipeGroups[g]), section);
        auto* grid = new QGridLayout(group);
        for (int row = 0; b < ends[g]; ++b, ++row) {
            auto* label = new QLabel(QString::fromUtf8(texts::kRecipeBoxes[b]), group);
            auto* box = boxes_[b] = new QLineEdit(group);
            box->setObjectName(QStringLiteral("RecipeBox%1").arg(b));
            box->setAccessibleName(label->text());
            label->setBuddy(box);
            grid->addWidget(label, row, 0);
            grid->addWidget(box, row, 1);
            // The unit it takes beside it, where it takes one: an empty label would be read out
            // by the group's name.
            if (!UnitOf(b).isEmpty()) {
                auto* unit = new QLabel(UnitOf(b), group);
                unit->setForegroundRole(QPalette::PlaceholderText);
                grid->addWidget(unit, row, 2);
                for (std::size_t k = 0; k < kComponents; ++k)
                    if (b == std::array{kAPrice, kBPrice, kCPrice, kPPrice}[k]) prices_[k] = unit;
            }
            order.push_back(box);
            connect(box, &QLineEdit::textChanged, this, [this] { follow(); });
        }
        if (ends[g] == kBoxes) {
            auto* label = new QLabel(QString::fromUtf8(texts::kRecipeUnitName), group);
            unit_ = new QComboBox(group);
            unit_->setObjectName(QStringLiteral("RecipeUnit"));
            unit_->setAccessibleName(label->text());
            label->setBuddy(unit_);
            for (const char* u : texts::kRecipeUnits) unit_->addItem(QString::fromUtf8(u));
            grid->addWidget(label, grid->rowCount(), 0);
            grid->addWidget(unit_, grid->rowCount() - 1, 1);
            order.push_back(unit_);
            connect(unit_, &QComboBox::currentIndexChanged, this, [this] { follow(); });
        }
        grid->setColumnStretch(1, 1);
        groups->addWidget(group, static_cast<int>(g / 2), static_cast<int>(g % 2));
    }

    quiet_ = new QLabel(section);
    quiet_->setObjectName(QStringLiteral("RecipeQuiet"));
    quiet_->setWordWrap(true);
    quiet_->setForegroundRole(QPalette::PlaceholderText);
    lines_ = new QLabel(section);
    lines_->setObjectName(QStringLiteral("RecipeLines"));
    lines_->setWordWrap(true);
    lines_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* results = new QVBoxLayout;
    results->addWidget(quiet_);
    results->addWidget(lines_);
    for (int i = 0; i < 2; ++i) {
        names_[i] = new QLabel(section);
        QFont bold = names_[i]->font();
        bold.setBold(true);
        names_[i]->setFont(bold);
        results->addWidget(names_[i]);
        tables_[i] = NewTable(section, i);
        below_[i] = new QLabel(section);
        below_[i]->setObjectName(QStringLiteral("RecipeBelow%1").arg(i));
        below_[i]->setWordWrap(true);
        below_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        results->addWidget(tables_[i]);
        results->addWidget(below_[i]);
    }
    map_ = new MapView([this](const Targets& t) { setTargets(t); }, section);
    map_->setObjectName(QStringLiteral("RecipeMap"));
    results->addWidget(map_, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(groups);
    left->addStretch(1);
    auto* columns = new QHBoxLayout(section);
    columns->addLayout(left, 0);
    columns->addLayout(results, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(section);

    // The boxes in reading order, then the map, then the tables.
    order.push_back(map_);
    order.insert(order.end(), tables_.begin(), tables_.end());
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    SizeByFont(*this, 1080, 720);
    follow();
}

void RecipeWindow::follow() {
    if (!unit_) return;  // still being made
    Boxes b;
    for (std::size_t i = 0; i < kBoxes; ++i) b.texts[i] = boxes_[i]->text().toStdString();
    b.unit = unit_->currentIndex() == kKilograms ? kKilograms : kLitres;
    const std::array<std::string, kBoxes> shown = FromWindow(form_.Inputs(), sheet_());
    for (std::size_t i = 0; i < kBoxes; ++i) boxes_[i]->setPlaceholderText(Utf8(shown[i]));
    const QString price = Utf8(
        Fill(texts::kRecipePriceUnit, {texts::kRecipeUnits[static_cast<std::size_t>(b.unit)]}));
    for (QLabel* unit : prices_) unit->setText(price);
    const Outcome out = Work(b, shown, form_.Calibrating());
    quiet_->setText(Lines(out.quiet));
    quiet_->setVisible(!out.quiet.empty());
    lines_->setText(Lines(out.lines));
    lines_->setVisible(!out.lines.empty());
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        const bool shownTable = i < out.tables.size();
        if (shownTable) {
            Show(tables_[i], out.tables[i]);
            names_[i]->setText(Utf8(out.tables[i].name));
            below_[i]->setText(Lines(out.tables[i].below));
        }
        names_[i]->setVisible(shownTable);
        tables_[i]->setVisible(shownTable);
        below_[i]->setVisible(shownTable);
    }
    map_->showFigures(out.map);
}

void RecipeWindow::setTargets(const Targets& targets) {
    if (targets.t100) boxes_[kT100]->setText(Utf8(*targets.t100));
    if (targets.t40) {
        boxes_[kT40]->setText(Utf8(*targets.t40));
        boxes_[kTIndex]->clear();
    }
}

}  // namespace olvimar
