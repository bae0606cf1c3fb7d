// links: almanac
// Cost of SetdataDll + RokuyoDll as the day cells of a calendar call them.
#include <benchmark/benchmark.h>

#include "almanac.h"
#include "almanac_days.h"

namespace {

void RokuyoOf(int year, int month, int day) {
    int solarMonth = 0, oldMonth = 0, oldDay = 0, rokuyo = 0;
    SetdataDll(0.0, 0.0, 0.0, year, month, day, &solarMonth);
    benchmark::DoNotOptimize(RokuyoDll(&oldMonth, &oldDay, &rokuyo));
    benchmark::DoNotOptimize(rokuyo);
}

void Repaint(int year) { ForRepaintCells(year, RokuyoOf); }

void BM_RokuyoDllWarm(benchmark::State &state) {
    int solarMonth = 0, oldMonth = 0, oldDay = 0, rokuyo = 0;
    SetdataDll(0.0, 0.0, 0.0, 2025, 7, 25, &solarMonth);
    RokuyoDll(&oldMonth, &oldDay, &rokuyo);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RokuyoDll(&oldMonth, &oldDay, &rokuyo));
    }
}
BENCHMARK(BM_RokuyoDllWarm);

void BM_SetdataAndRokuyoWarm(benchmark::State &state) {
    Repaint(2025);
    int day = 0;
    for (auto _ : state) {
        RokuyoOf(2025, 1, 1 + day);
        day = (day + 1) % 365;
    }
}
BENCHMARK(BM_SetdataAndRokuyoWarm);

void BM_SetdataAndRokuyoColdYear(benchmark::State &state) {
    for (auto _ : state) RokuyoOf(ColdYear(), 6, 15);
}
BENCHMARK(BM_SetdataAndRokuyoColdYear)->Unit(benchmark::kMicrosecond);

void BM_RepaintOf372DaysWarm(benchmark::State &state) {
    Repaint(2025);
    for (auto _ : state) Repaint(2025);
    state.SetItemsProcessed(state.iterations() * 372);
}
BENCHMARK(BM_RepaintOf372DaysWarm)->Unit(benchmark::kMillisecond);

void BM_RepaintOf372DaysCold(benchmark::State &state) {
    for (auto _ : state) Repaint(ColdYear());
    state.SetItemsProcessed(state.iterations() * 372);
}
BENCHMARK(BM_RepaintOf372DaysCold)->Unit(benchmark::kMillisecond);

void BM_EveryDayOfAYearWarm(benchmark::State &state) {
    Repaint(2024);
    for (auto _ : state) {
        for (int day = 1; day <= 366; ++day) RokuyoOf(2024, 1, day);
    }
}
BENCHMARK(BM_EveryDayOfAYearWarm)->Unit(benchmark::kMillisecond);

void BM_EveryDayOfAYearCold(benchmark::State &state) {
    for (auto _ : state) {
        const int year = ColdYear();
        for (int day = 1; day <= 365; ++day) RokuyoOf(year, 1, day);
    }
}
BENCHMARK(BM_EveryDayOfAYearCold)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
