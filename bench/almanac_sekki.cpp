// links: almanac
// Cost of SetdataDll + SekkiDll as the day cells of a calendar call them.
// SekkiDll keeps no tables: two sun positions a call, the same cold or warm.
#include <benchmark/benchmark.h>

#include "almanac.h"
#include "almanac_days.h"

namespace {

void SekkiOf(int year, int month, int day) {
    int solarMonth = 0, code = 0;
    double hour = 0.0, longitude = 0.0;
    SetdataDll(0.0, 0.0, 0.0, year, month, day, &solarMonth);
    benchmark::DoNotOptimize(SekkiDll(&code, &hour, &longitude));
    benchmark::DoNotOptimize(code);
}

// Every day of a year; a day past the month's end shifts on linearly, so
// day 1..365 of January covers the year.
void WholeYear(int year) {
    for (int day = 1; day <= 365; ++day) SekkiOf(year, 1, day);
}

void Repaint(int year) { ForRepaintCells(year, SekkiOf); }

void BM_SekkiDllOneCall(benchmark::State &state) {
    int code = 0;
    double hour = 0.0, longitude = 0.0;
    SetdataDll(0.0, 0.0, 0.0, 2020, 6, 21, nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SekkiDll(&code, &hour, &longitude));
    }
}
BENCHMARK(BM_SekkiDllOneCall);

void BM_SetdataSekkiYearCold(benchmark::State &state) {
    for (auto _ : state) WholeYear(ColdYear());
    state.SetItemsProcessed(state.iterations() * 365);
}
BENCHMARK(BM_SetdataSekkiYearCold)->Unit(benchmark::kMillisecond);

void BM_SetdataSekkiYearWarm(benchmark::State &state) {
    WholeYear(2025);
    for (auto _ : state) WholeYear(2025);
    state.SetItemsProcessed(state.iterations() * 365);
}
BENCHMARK(BM_SetdataSekkiYearWarm)->Unit(benchmark::kMillisecond);

void BM_SetdataSekkiRepaint(benchmark::State &state) {
    Repaint(2025);
    for (auto _ : state) Repaint(2025);
    state.SetItemsProcessed(state.iterations() * 372);
}
BENCHMARK(BM_SetdataSekkiRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
