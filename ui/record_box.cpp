#include "ui/record_box.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "form/record_lines.h"

namespace olvimar {

namespace {

QString Lines(std::string_view record) {
    return QString::fromStdString(RecordLines(record));
}

}  // namespace

void RecordBox::show(std::string_view record) {
    QTextDocument* document = box_->document();
    // Only the user's own edits are the box's to undo; Ctrl+Z without one brings back a Clear.
    document->setUndoRedoEnabled(false);
    const bool unchanged = !document->isModified() && document->characterCount() == characters_;
    if (unchanged && shown_ > 0 && shown_ <= record.size()) {
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        end.insertText(Lines(record.substr(shown_)));
    } else {
        box_->setPlainText(Lines(record));
    }
    document->setModified(false);  // from here on, only the user's edits count
    document->setUndoRedoEnabled(true);
    shown_ = record.size();
    characters_ = document->characterCount();
}

void RecordBox::clear() {
    box_->setPlainText(QString());
    box_->document()->setModified(false);
    shown_ = 0;
    characters_ = box_->document()->characterCount();
}

void RecordBox::bringIntoView(std::string_view record, std::size_t offset) {
    const std::string before = RecordLines(record.substr(0, offset));
    const auto line = std::count(before.begin(), before.end(), '\n');
    const QTextBlock block = box_->document()->findBlockByNumber(static_cast<int>(line));
    if (!block.isValid()) return;
    box_->setTextCursor(QTextCursor(block));
    // From the bottom, making the line visible scrolls up just until it is the top line.
    box_->verticalScrollBar()->setValue(box_->verticalScrollBar()->maximum());
    box_->ensureCursorVisible();
}

}  // namespace olvimar
