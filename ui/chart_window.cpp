#include "ui/chart_window.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "form/form.h"
#include "form/layout.h"
#include "form/window_texts.h"
#include "ui/calibration_panel.h"
#include "ui/chart_view.h"
#include "ui/qt_text.h"
#include "ui/sheet_panel.h"
#include "ui/temperature_view.h"

namespace olvimar {

ChartWindow::ChartWindow(Form& form, std::function<std::string()> targets, QWidget* owner)
    : QWidget(owner, Qt::Window), form_(form) {
    setObjectName(QStringLiteral("ChartWindow"));
    setWindowTitle(Utf8(texts::kChartTitle));
    // The chart is a figure named by its title, which a screen reader reads with its summary.
    auto* figure = figure_ = new ChartFigure(this);
    figure->setObjectName(QStringLiteral("ChartFigure"));
    figure->setAccessibleName(Utf8(texts::kChartTitle));
    view_ = new ChartView(
        [this, targets = std::move(targets)](const chart::Frame& frame) {
            const int hundredths = view_ ? view_->value() : chart::kEvenMix;
            return chart::Draw(chart::ChartInput(form_, targets(), hundredths, section_),
                               form_.Temperatures(), frame);
        },
        figure);
    view_->setObjectName(QStringLiteral("ChartHandle"));
    auto* figureLayout = new QVBoxLayout(figure);
    figureLayout->setContentsMargins(0, 0, 0, 0);
    figureLayout->addWidget(view_);

    auto* label = new QLabel(Utf8(texts::kPercentBox), this);
    percent_ = new QLineEdit(this);
    percent_->setObjectName(QStringLiteral("ChartPercent"));
    percent_->setAccessibleName(label->text());
    label->setBuddy(percent_);
    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("ChartPercentHint"));
    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("ChartReadout"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    temperatures_ = new TemperatureView(this);
    temperatures_->setObjectName(QStringLiteral("TemperatureChart"));
    sheet_ = new SheetPanel(this);
    sheet_->setObjectName(QStringLiteral("Sheet"));
    calibration_ = new CalibrationPanel(form_, this);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(percent_);
    row->addWidget(hint_, 1);
    // The two charts side by side, the handle's box and readout under the blend chart, the data
    // sheet under both: the lines move with the handle that is beside them.
    auto* blend = new QVBoxLayout;
    blend->addWidget(figure, 1);
    blend->addLayout(row);
    blend->addWidget(readout_);
    // The measured blends under the chart of the lines, level with the blend chart they calibrate:
    // under the readout they would take the blend chart's height at a large font.
    auto* lines = new QVBoxLayout;
    lines->addWidget(temperatures_, 1);
    lines->addWidget(calibration_);
    auto* charts = new QHBoxLayout;
    charts->addLayout(blend, 1);
    charts->addLayout(lines, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(charts, 1);
    layout->addWidget(sheet_);
    // The tab order: the handle, its box, the measured blends, then the sheet's boxes and its
    // table.
    std::vector<QWidget*> order = {view_, percent_};
    for (QWidget* w : calibration_->tabOrder()) order.push_back(w);
    for (std::size_t b = 0; b < sheet::kBoxes; ++b)
        order.push_back(sheet_->box(static_cast<sheet::Box>(b)));
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    SizeByFont(*this, 1000, 720);

    connect(view_, &ChartView::drawn, this, [this] { showPicture(); });
    connect(view_, &QSlider::valueChanged, this, [this] { showHandle(); });
    // A typed share moves the handle once it is a share; anything else says what it should be.
    connect(percent_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::optional<int> h = chart::TypedHundredths(text.toStdString());
        hint_->setText(h ? QString() : Utf8(texts::kPercentHint));
        if (h) view_->setValue(*h);
    });
    // The sheet's boxes give the oils at its temperature, which the measured blends there need.
    connect(sheet_, &SheetPanel::edited, this, [this] { follow(); });
    connect(calibration_, &CalibrationPanel::changed, this, [this] { follow(); });
    showHandle();
    follow();
}

void ChartWindow::follow() {
    section_ = chart::Calibrate(form_.Inputs(), sheet_->boxes(), form_.MeasuredBlends(),
                                form_.Temperatures());
    calibration_->showSection(section_, form_.Inputs().s);
    view_->redraw();
    emit followed();
}

void ChartWindow::showPicture() {
    const chart::Picture& p = view_->picture();
    view_->setEnabled(p.needs.empty());
    percent_->setEnabled(p.needs.empty());
    figure_->setAccessibleDescription(QString::fromStdString(p.summary));
    readout_->setText(QString::fromStdString(p.needs.empty() ? p.readout : std::string()));
    showSheet();
}

void ChartWindow::showSheet() {
    const sheet::Figures figures = sheet::Work(
        chart::SheetInput(form_, sheet_->boxes(), view_->value(), section_), form_.Temperatures());
    sheet_->showFigures(figures);
    temperatures_->showFigures(figures);
}

void ChartWindow::showHandle() {
    // The box shows where the handle stands, unless it says so already as the user typed it.
    if (chart::TypedHundredths(percent_->text().toStdString()) !=
        std::optional<int>(view_->value())) {
        percent_->setText(QString::fromStdString(chart::PercentText(view_->value())));
        hint_->clear();
    }
}

}  // namespace olvimar
