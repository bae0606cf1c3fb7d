// links: tamarie_rules
// Config.ini: reading it at start-up and rewriting the schedule sections
// after a store, with 1,000 and 100,000 entries.
#include "day_data.h"

#include <QDate>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tamarie;

namespace {

void Fill(TDayData &data, int n)
{
    const TDateValue start = DateToValue(QDate(2000, 1, 1));
    for (int i = 0; i < n; ++i)
        data.StoreSchedule(start + i, QStringLiteral("予定 %1").arg(i), i % 5);
}

void BM_WriteSchedules(benchmark::State &state)
{
    QTemporaryDir dir;
    TDayData data;
    data.SetConfigPath(dir.path() + "/Config.ini");
    Fill(data, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(data.WriteSchedules());
}
BENCHMARK(BM_WriteSchedules)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadConfig(benchmark::State &state)
{
    QTemporaryDir dir;
    TDayData data;
    data.SetConfigPath(dir.path() + "/Config.ini");
    Fill(data, static_cast<int>(state.range(0)));
    data.WriteSchedules();
    for (auto _ : state) {
        TDayData loaded;
        loaded.SetConfigPath(data.ConfigPath());
        loaded.LoadConfig();
        benchmark::DoNotOptimize(loaded.ScheduleCount());
    }
}
BENCHMARK(BM_LoadConfig)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
