// links: tamarie_calendar
// Full repaint of the twelve calendars of a maximised editor (1920 x 1080
// screen: calendars of 373 x 522 with a 15-point grid font), with the rokuyo
// and solar terms shown and without.
#include "day_cell_painter.h"
#include "day_data.h"
#include "month_grid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
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
    std::vector<std::unique_ptr<TplCalendarFormCalendar>> grids;
    TDayData data;
    QImage canvas{373, 480, QImage::Format_RGB32};

    Calendars()
    {
        App();
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSize(15);
        for (int m = 1; m <= 12; ++m) {
            auto grid = std::make_unique<TplCalendarFormCalendar>();
            grid->SetGridLineWidth(0);
            grid->resize(373, 480);
            grid->setFont(font);
            grid->SetCalendarDate(DateToValue(QDate(2025, m, 1)));
            grids.push_back(std::move(grid));
            // A few schedules and overrides per month, as a user would have.
            data.StoreSchedule(DateToValue(QDate(2025, m, 10)), QStringLiteral("打ち合わせ 10:00 本社"), 1);
            data.StoreSchedule(DateToValue(QDate(2025, m, 18)), QStringLiteral("歯医者"), 3);
            data.StorePersonalHoliday(DateToValue(QDate(2025, m, 24)), true);
        }
    }

    void Repaint(bool almanac)
    {
        const DayDataCells cells(data);
        DayCellInputs in;
        in.BackgroundColor = clSkyBlue;
        in.ShowAlmanac = almanac;
        in.HolidayOfWeek = data.Weekdays.HolidayOfWeek;
        in.Data = &cells;
        for (auto &grid : grids) {
            grid->OnPaintCell = [&in](TplCalendarFormCalendar &g, QPainter &c, int col, int row, const QRect &r,
                                      TGridDrawState s) { PaintCell(g, c, col, row, r, s, in); };
            QPainter p(&canvas);
            p.setFont(grid->font());
            grid->PaintGrid(p);
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
