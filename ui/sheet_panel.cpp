#include "ui/sheet_panel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "chart/sheet_texts.h"
#include "ui/qt_text.h"

namespace olvimar {

SheetPanel::SheetPanel(QWidget* parent) : QWidget(parent) {
    auto* boxes = new QGridLayout;
    for (std::size_t b = 0; b < sheet::kBoxes; ++b) {
        labels_[b] = new QLabel(QString::fromUtf8(texts::kSheetBoxes[b]), this);
        boxes_[b] = new QLineEdit(this);
        boxes_[b]->setObjectName(QStringLiteral("SheetBox%1").arg(b));
        boxes_[b]->setAccessibleName(labels_[b]->text());
        labels_[b]->setBuddy(boxes_[b]);
        // A and B side by side at each temperature, T on a row of its own.
        const int row = static_cast<int>(b / 2), column = static_cast<int>(b % 2) * 2;
        boxes->addWidget(labels_[b], row, column);
        boxes->addWidget(boxes_[b], row, column + 1);
        connect(boxes_[b], &QLineEdit::textEdited, this, &SheetPanel::edited);
    }
    boxes_[sheet::kAtT]->setText(QString::fromLatin1(sheet::kStartAtT));

    table_ = new QTableWidget(3, 4, this);
    table_->setObjectName(QStringLiteral("SheetTable"));
    table_->setAccessibleName(QString::fromUtf8(texts::kSheetTitle));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::TabFocus);  // a screen reader's user walks its cells
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }

    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("SheetNotes"));
    notes_->setWordWrap(true);
    notes_->setForegroundRole(QPalette::PlaceholderText);  // quiet
    grades_ = new QLabel(this);
    grades_->setObjectName(QStringLiteral("SheetGrades"));
    grades_->setWordWrap(true);
    grades_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(boxes);
    layout->addWidget(table_);
    layout->addWidget(notes_);
    layout->addWidget(grades_);
}

std::array<std::string, sheet::kBoxes> SheetPanel::boxes() const {
    std::array<std::string, sheet::kBoxes> texts;
    for (std::size_t b = 0; b < sheet::kBoxes; ++b) texts[b] = boxes_[b]->text().toStdString();
    return texts;
}

void SheetPanel::showFigures(const sheet::Figures& figures) {
    const std::array<bool, sheet::kBoxes> asked = sheet::Asked(figures.temperatureRow);
    for (std::size_t b = 0; b < sheet::kBoxes; ++b) {
        labels_[b]->setVisible(asked[b]);
        boxes_[b]->setVisible(asked[b]);
    }
    const sheet::Table t = sheet::TableOf(figures);
    QStringList columns, rows;
    for (std::size_t c = 1; c < t.columns.size(); ++c) columns << Utf8(t.columns[c]);
    for (const std::string& r : t.rows) rows << Utf8(r);
    table_->setHorizontalHeaderLabels(columns);
    table_->setVerticalHeaderLabels(rows);
    const QColor quiet = palette().color(QPalette::PlaceholderText);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            const sheet::Cell& cell =
                t.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            QTableWidgetItem* item = table_->item(r, c);
            item->setText(Utf8(cell.text));
            item->setForeground(cell.quiet ? quiet : palette().color(QPalette::Text));
        }
    // Tall enough for its three rows, no more.
    table_->setFixedHeight(table_->horizontalHeader()->height() + 3 * table_->rowHeight(0) +
                           2 * table_->frameWidth());
    notes_->setText(Lines(t.notes));
    notes_->setVisible(!t.notes.empty());
    grades_->setText(Lines(t.Below()));
}

}  // namespace olvimar
