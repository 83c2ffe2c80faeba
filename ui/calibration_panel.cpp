#include "ui/calibration_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "form/calibration_texts.h"
#include "form/form.h"
#include "form/keys.h"
#include "form/window_texts.h"
#include "ui/qt_text.h"

namespace olvimar {

namespace {

QLineEdit* Box(const char* name, QWidget* parent, QHBoxLayout* row) {
    auto* label = new QLabel(Utf8(name), parent);
    auto* box = new QLineEdit(parent);
    box->setAccessibleName(label->text());
    label->setBuddy(box);
    row->addWidget(label);
    row->addWidget(box, 1);
    return box;
}

}  // namespace

CalibrationPanel::CalibrationPanel(Form& form, QWidget* parent)
    : QGroupBox(Utf8(texts::kCalibrationTitle), parent), form_(form) {
    setObjectName(QStringLiteral("Calibration"));
    auto* boxes = new QHBoxLayout;
    percent_ = Box(texts::kMeasuredPercent, this, boxes);
    percent_->setObjectName(QStringLiteral("MeasuredPercent"));
    viscosity_ = Box(texts::kMeasuredViscosity, this, boxes);
    viscosity_->setObjectName(QStringLiteral("MeasuredViscosity"));
    auto* label = new QLabel(Utf8(texts::kMeasuredTemperature), this);
    temperature_ = new QComboBox(this);
    temperature_->setObjectName(QStringLiteral("MeasuredTemperature"));
    temperature_->setAccessibleName(label->text());
    label->setBuddy(temperature_);
    for (const char* t : texts::kTemperatures) temperature_->addItem(Utf8(t));
    boxes->addWidget(label);
    boxes->addWidget(temperature_);
    add_ = new QPushButton(Utf8(texts::kAddMeasured), this);
    add_->setObjectName(QStringLiteral("AddMeasured"));
    add_->setAutoDefault(false);
    boxes->addWidget(add_);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("MeasuredNote"));
    note_->setWordWrap(true);
    note_->setStyleSheet(QStringLiteral("color: #595959"));
    note_->hide();

    list_ = new MeasuredList(this);
    list_->setObjectName(QStringLiteral("MeasuredList"));
    list_->setAccessibleName(Utf8(texts::kMeasuredList));
    rows_ = new QGridLayout(list_);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setColumnStretch(0, 1);
    factors_ = new QLabel(this);
    factors_->setObjectName(QStringLiteral("Factors"));
    factors_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    calibrate_ = new QCheckBox(Utf8(texts::kCalibrate), this);
    calibrate_->setObjectName(QStringLiteral("Calibrate"));
    calibrate_->setChecked(form_.Calibrating());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(note_);
    layout->addWidget(list_);
    layout->addWidget(factors_);
    layout->addWidget(calibrate_);

    connect(add_, &QPushButton::clicked, this, [this] { add(); });
    // Enter in either box adds the blend, as the button does.
    connect(percent_, &QLineEdit::returnPressed, this, [this] { add(); });
    connect(viscosity_, &QLineEdit::returnPressed, this, [this] { add(); });
    connect(temperature_, &QComboBox::activated, this, [this] { temperatureChosen_ = true; });
    connect(calibrate_, &QCheckBox::toggled, this, [this](bool on) {
        form_.SetCalibrate(on);
        emit changed();
    });
}

void CalibrationPanel::add() {
    const Added added =
        form_.AddMeasured(temperature_->currentIndex(), percent_->text().toStdString(),
                          viscosity_->text().toStdString());
    note_->setText(QString::fromStdString(chart::AddedNote(added)));
    note_->setVisible(!note_->text().isEmpty());
    if (added != Added::Yes) return;
    percent_->clear();
    viscosity_->clear();
    percent_->setFocus(Qt::OtherFocusReason);
    emit changed();
}

std::vector<QWidget*> CalibrationPanel::tabOrder() const {
    return {percent_, viscosity_, temperature_, add_, calibrate_};
}

void CalibrationPanel::showSection(const chart::CalibrationSection& section, int windowRow) {
    if (!temperatureChosen_ && windowRow >= 0 && windowRow != temperature_->currentIndex())
        temperature_->setCurrentIndex(windowRow);
    QString factors;
    for (const std::string& f : section.factors)
        factors += (factors.isEmpty() ? "" : "\n") + QString::fromStdString(f);
    factors_->setText(factors);
    factors_->setVisible(!factors.isEmpty());
    calibrate_->setChecked(form_.Calibrating());

    // The list is made anew only when what it says changes, so that a button keeps its focus.
    std::vector<std::string> texts;
    for (const auto& r : section.rows) texts.push_back((r.quiet ? "q" : "c") + r.text);
    if (texts == shownTexts_) return;
    shownTexts_ = texts;
    for (QWidget* w : list_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        w->hide();
        w->setParent(nullptr);  // out of the list at once; gone once the click that got here ends
        w->deleteLater();
    }
    QWidget* before = add_;
    std::vector<QPushButton*> removes;
    if (section.rows.empty()) {
        auto* none = new QLabel(Utf8(texts::kMeasuredNone), list_);
        none->setWordWrap(true);
        none->setStyleSheet(QStringLiteral("color: #595959"));
        rows_->addWidget(none, 0, 0, 1, 2);
    }
    for (std::size_t i = 0; i < section.rows.size(); ++i) {
        const QString text = QString::fromStdString(section.rows[i].text);
        auto* line = new QLabel(text, list_);
        line->setWordWrap(true);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A blend that does not count is said quietly, never in a dialog.
        if (section.rows[i].quiet) line->setStyleSheet(QStringLiteral("color: #595959"));
        auto* remove = new QPushButton(Utf8(texts::kRemoveMeasured), list_);
        remove->setAccessibleName(Utf8(texts::kRemoveMeasured));
        remove->setAccessibleDescription(text);
        remove->setAutoDefault(false);
        connect(remove, &QPushButton::clicked, this, [this, i] {
            focusAfter_ = keys::FocusAfterRemoval(i, form_.MeasuredBlends().size());
            form_.RemoveMeasured(i);
            note_->hide();
            emit changed();
        });
        rows_->addWidget(line, static_cast<int>(i), 0);
        rows_->addWidget(remove, static_cast<int>(i), 1);
        // Shown at once, not at the layout's next turn: the keyboard can reach them right away.
        line->show();
        remove->show();
        setTabOrder(before, remove);
        before = remove;
        removes.push_back(remove);
    }
    setTabOrder(before, calibrate_);
    if (focusAfter_) {
        QWidget* next = *focusAfter_ && **focusAfter_ < removes.size()
                            ? static_cast<QWidget*>(removes[**focusAfter_])
                            : percent_;
        next->setFocus(Qt::OtherFocusReason);
        focusAfter_.reset();
    }
}

}  // namespace olvimar
