// links: tamarie_main
// The calendar windows of an editor with twelve calendars (offscreen): one
// repaint of all twelve after a setting change, and one drag step (a move
// and a repaint), for the colour-keyed windows and for the translucent ones
// (painted whole by the calendar painter into an ARGB image).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include "calendar_form.h"
#include "editor_bench_main.h"
#include "fonts.h"
#include "labeled_edit.h"
#include "radio_group.h"
#include "tform1.h"

using tamarie::TForm1;

namespace {

TForm1 &Editor()
{
    static TForm1 *form = [] {
        auto *f = new TForm1;
        f->show();
        QCoreApplication::processEvents();
        f->LECalendarYear->setText(QStringLiteral("2025"));
        f->LECalendarMonth->setText(QStringLiteral("4"));
        f->LECalendarMonths->setText(QStringLiteral("12"));
        f->BtnOK->click();
        QCoreApplication::processEvents();
        return f;
    }();
    return *form;
}

void NextWeekDayMode(TForm1 &f)
{
    f.RadioGroupWeekDayMode->SetItemIndex(1 - f.RadioGroupWeekDayMode->ItemIndex());
}

void KeyedRepaintOfTwelveAfterASetting(benchmark::State &state)
{
    TForm1 &f = Editor();
    for (auto _ : state) {
        NextWeekDayMode(f);
        QCoreApplication::processEvents();  // the shapes and the paints
    }
}
BENCHMARK(KeyedRepaintOfTwelveAfterASetting)->Unit(benchmark::kMillisecond);

void TranslucentRepaintOfTwelveAfterASetting(benchmark::State &state)
{
    TForm1 &f = Editor();
    std::vector<QImage> windows;
    for (int n = 1; n <= 12; ++n)
        windows.emplace_back(f.CalForm[n]->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        NextWeekDayMode(f);
        for (int n = 1; n <= 12; ++n) {
            QImage &img = windows[n - 1];
            img.fill(Qt::transparent);
            QPainter p(&img);
            f.CalForm[n]->OnPaintWindow(p, tamarie::CalendarSurface::WithBacking);
        }
        benchmark::DoNotOptimize(windows.front().constBits());
    }
}
BENCHMARK(TranslucentRepaintOfTwelveAfterASetting)->Unit(benchmark::kMillisecond);

void KeyedDragStep(benchmark::State &state)
{
    TForm1 &f = Editor();
    tamarie::TplCalendarForm *cal = f.CalForm[12];
    int step = 0;
    for (auto _ : state) {
        step = 1 - step;
        cal->move(cal->pos() + QPoint(step ? 3 : -3, step ? 2 : -2));
        cal->repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(KeyedDragStep)->Unit(benchmark::kMillisecond);

void TranslucentDragStep(benchmark::State &state)
{
    TForm1 &f = Editor();
    tamarie::TplCalendarForm *cal = f.CalForm[12];
    QImage img(cal->size(), QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        step = 1 - step;
        cal->move(cal->pos() + QPoint(step ? 3 : -3, step ? 2 : -2));
        QCoreApplication::processEvents();
        img.fill(Qt::transparent);
        QPainter p(&img);
        f.CalForm[12]->OnPaintWindow(p, tamarie::CalendarSurface::WithBacking);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(TranslucentDragStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return RunEditorBenchmarks(argc, argv); }
