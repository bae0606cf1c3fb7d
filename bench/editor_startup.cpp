// links: tamarie_main
// Start-up of the editor up to the end of the main window's first showing, and
// OK going from 1 to 12 calendars (offscreen, repaints included).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "editor_bench_main.h"
#include "fonts.h"
#include "labeled_edit.h"
#include "tform1.h"

using tamarie::TForm1;

namespace {

void StartUp(benchmark::State &state)
{
    for (auto _ : state) {
        auto form = std::make_unique<TForm1>();
        form->show(); // the first showing runs inside show()
        QCoreApplication::processEvents();
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond)->Iterations(10);

void OkOneToTwelveCalendars(benchmark::State &state)
{
    TForm1 form;
    form.show();
    QCoreApplication::processEvents();
    form.LECalendarYear->setText(QStringLiteral("2025"));
    form.LECalendarMonth->setText(QStringLiteral("4"));
    for (auto _ : state) {
        state.PauseTiming();
        form.LECalendarMonths->setText(QStringLiteral("1"));
        form.BtnOK->click();
        QCoreApplication::processEvents();
        form.LECalendarMonths->setText(QStringLiteral("12"));
        tamarie::dialogs::ClearShown();
        state.ResumeTiming();

        form.BtnOK->click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(OkOneToTwelveCalendars)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv) { return RunEditorBenchmarks(argc, argv); }
