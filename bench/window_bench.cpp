// The window under load, on the offscreen platform: opening it, pressing Generate for 9 999
// targets into an empty record and into one that already holds 90 000 entries, and the blend
// chart redrawn as a character is typed, with a range of 100 000 targets.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "ui/chart_view.h"
#include "ui/chart_window.h"
#include "ui/chinese_interface.h"
#include "ui/form1.h"
#include "ui/sheet_panel.h"
#include "ui/temperature_view.h"

namespace olvimar {
namespace {

// Counts the paint events of the window, to know when it has been drawn.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QLineEdit* Box(Form1& form, int i) {
    return form.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i));
}

// A 7.276, B 13.69 at 100 ℃, 4 litres: the fields of the worked example.
std::unique_ptr<Form1> WorkedExampleWindow() {
    auto form = std::make_unique<Form1>();
    Box(*form, 0)->setText(QStringLiteral("7.276"));
    Box(*form, 1)->setText(QStringLiteral("13.69"));
    form->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);
    Box(*form, 3)->setText(QStringLiteral("4"));
    form->show();
    QCoreApplication::processEvents();
    return form;
}

// Presses Generate and lets the window draw what it now shows.
void PressGenerate(Form1& form, const QString& targets) {
    Box(form, 2)->setText(targets);
    form.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QCoreApplication::processEvents();
}

void BM_WindowCreate(benchmark::State& state) {
    for (auto _ : state) {
        Form1 form;
        PaintCounter counter;
        form.installEventFilter(&counter);
        form.show();
        while (counter.paints == 0) QCoreApplication::processEvents();
        state.PauseTiming();
        form.hide();
        form.removeEventFilter(&counter);
        state.ResumeTiming();
    }
}

void BM_WindowGenerate10k(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto form = WorkedExampleWindow();
        state.ResumeTiming();
        PressGenerate(*form, QStringLiteral("0-999.9"));
        state.PauseTiming();
        if (form->form().recordValue().text().size() < 9999 * 50) state.SkipWithError("no record");
        form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 9999);
}

void BM_WindowAppend10k(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto form = WorkedExampleWindow();
        PressGenerate(*form, QStringLiteral("1-90000,1"));  // 90 000 entries already shown
        state.ResumeTiming();
        PressGenerate(*form, QStringLiteral("0-999.9"));
        state.PauseTiming();
        auto* box = form->findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
        if (box->blockCount() != 2 * (90000 + 9999) + 1) state.SkipWithError("not all shown");
        form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 9999);
}

// One character typed into oil A's box: the chart window follows it, works out the blend chart,
// the data sheet and the chart of its lines again, and paints both charts.
void BM_ChartRedraw(benchmark::State& state) {
    auto form = WorkedExampleWindow();
    Box(*form, 2)->setText(QStringLiteral("1-100000,1"));
    form->openChart();
    ChartWindow* window = form->chartWindow();
    window->sheet()->box(sheet::kA40)->setText(QStringLiteral("40"));
    window->sheet()->box(sheet::kB40)->setText(QStringLiteral("90"));
    window->follow();
    QCoreApplication::processEvents();
    ChartView* view = window->view();
    QWidget* lines = window->temperatures();
    PaintCounter counter;
    view->installEventFilter(&counter);
    lines->installEventFilter(&counter);
    QLineEdit* a = Box(*form, 0);
    for (auto _ : state) {
        const int painted = counter.paints;
        a->setText(a->text().size() > 5 ? QStringLiteral("7.276") : QStringLiteral("7.2761"));
        view->repaint();
        lines->repaint();
        if (counter.paints < painted + 2) state.SkipWithError("not painted");
    }
    view->removeEventFilter(&counter);
    lines->removeEventFilter(&counter);
}

BENCHMARK(BM_WindowCreate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowGenerate10k)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_WindowAppend10k)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace olvimar

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    olvimar::UseChineseInterface(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
