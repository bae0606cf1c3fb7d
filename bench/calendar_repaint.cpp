// links: tamarie_calendar
// Full repaint of the twelve calendar windows of a maximised editor (1920 x
// 1080 screen: calendars of 373 x 522 with a 15-point grid font), with the
// rokuyo and solar terms shown and without.
#include "arrangement_painter.h"
#include "day_cell_painter.h"
#include "day_data.h"
#include "month_grid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace tamarie;

QApplication &App()
{
    static int argc = 1;
    static char name[] = "bench_calendar_repaint";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

struct Calendars {
    std::vector<CalendarLayer> layers;
    TDayData data;
    QImage canvas{373, 522, QImage::Format_RGB32};

    Calendars()
    {
        App();
        QFont font(QStringLiteral("IPAGothic"));
        for (int m = 1; m <= 12; ++m) {
            CalendarLayer c;
            c.month = DateToValue(QDate(2025, m, 1));
            c.bounds = QRect(0, 0, 373, 522);
            c.backVisible = false;
            c.backColor = c.windowColor = c.gridColor = c.keyColor = clSkyBlue;
            c.gridFont = c.titleFont = font;
            c.gridPoints = 15;
            c.titlePoints = 23;
            c.title = QStringLiteral("2025年 %1月").arg(m);
            c.titleRect = QRect(0, 0, 373, 42);
            c.gridRect = QRect(1, 42, 371, 476);
            layers.push_back(c);
            // A few schedules and overrides per month, as a user would have.
            data.StoreSchedule(DateToValue(QDate(2025, m, 10)), QStringLiteral("打ち合わせ 10:00 本社"), 1);
            data.StoreSchedule(DateToValue(QDate(2025, m, 18)), QStringLiteral("歯医者"), 3);
            data.StorePersonalHoliday(DateToValue(QDate(2025, m, 24)), true);
        }
    }

    void Repaint(bool almanac)
    {
        const DayDataCells cells(data);
        CalendarPaintData paintData;
        paintData.data = &cells;
        paintData.weekdays = data.Weekdays;
        CalendarDisplayOptions options;
        options.showAlmanac = almanac;
        for (const CalendarLayer &c : layers) {
            QPainter p(&canvas);
            PaintCalendar(p, c, options, paintData, canvas.logicalDpiY(), CalendarSurface::KeyedWindow);
        }
    }
};

Calendars &Set()
{
    static Calendars set;
    return set;
}

void BM_RepaintTwelveCalendars(benchmark::State &state)
{
    const bool almanac = state.range(0) != 0;
    Set().Repaint(almanac);  // first paint: fonts and glyph caches
    for (auto _ : state)
        Set().Repaint(almanac);
    state.SetLabel(almanac ? "almanac on" : "almanac off");
}
BENCHMARK(BM_RepaintTwelveCalendars)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AlmanacLabelsOfOneDay(benchmark::State &state)
{
    int day = 0;
    for (auto _ : state) {
        const TDateValue d = DateToValue(QDate(2025, 1, 1).addDays(day++ % 365));
        benchmark::DoNotOptimize(GetRokuyo(d));
        benchmark::DoNotOptimize(GetSekki(d));
    }
}
BENCHMARK(BM_AlmanacLabelsOfOneDay)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
