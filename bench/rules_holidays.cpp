// links: tamarie_rules
// Holiday rules and the whole day look-up of a calendar cell.
#include "day_data.h"
#include "holidays.h"
#include "text_codec.h"

#include <QDate>

#include <benchmark/benchmark.h>

using namespace tamarie;

namespace {

const TDateValue kFirst = DateToValue(QDate(1948, 1, 1));
const TDateValue kLast = DateToValue(QDate(2099, 12, 31));

void BM_IsHoliday_1948_2099(benchmark::State &state)
{
    QString name;
    TDateValue d = kFirst;
    std::int64_t holidays = 0;
    for (auto _ : state) {
        holidays += IsHoliday(d, name);
        d = d >= kLast ? kFirst : d + 1;
    }
    benchmark::DoNotOptimize(holidays);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IsHoliday_1948_2099);

// The same with a published list of 1955 to 2027 in use (made from the rules):
// covered years are decided by the list, later ones by the rules.
void BM_IsHoliday_WithList_1948_2099(benchmark::State &state)
{
    QString csv = QStringLiteral("国民の祝日・休日月日,国民の祝日・休日名称\r\n");
    QString name;
    for (QDate d(1955, 1, 1); d.year() <= 2027; d = d.addDays(1))
        if (IsHoliday(THolidayList(), DateToValue(d), name))
            csv += QStringLiteral("%1/%2/%3,%4\r\n").arg(d.year()).arg(d.month()).arg(d.day()).arg(name);
    const THolidayList list = ParseHolidayList(EncodeCp932(csv).value()).list.value();
    TDateValue d = kFirst;
    std::int64_t holidays = 0;
    for (auto _ : state) {
        holidays += IsHoliday(list, d, name);
        d = d >= kLast ? kFirst : d + 1;
    }
    benchmark::DoNotOptimize(holidays);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IsHoliday_WithList_1948_2099);

// A user's data with n schedules and n / 10 overrides spread over the years,
// looked up for the cells of consecutive months (hits and misses).
void BM_DayLookup(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    TDayData data;
    data.Weekdays.HolidayOfWeekPartOf[3] = true;
    data.Weekdays.HolidayOfWeekNumberOf[1] = true;
    const TDateValue start = DateToValue(QDate(2000, 1, 1));
    for (int i = 0; i < n; ++i)
        data.StoreSchedule(start + (i * 7919LL) % 36500, QStringLiteral("予定 %1").arg(i), i % 5);
    for (int i = 0; i < n / 10; ++i)
        data.StorePersonalHoliday(start + (i * 104729LL) % 36500, i % 2 == 0);
    TDateValue d = DateToValue(QDate(2025, 1, 1));
    const TDateValue end = d + 3650;
    std::int64_t seen = 0;
    for (auto _ : state) {
        const TDayLookup day = data.LookupDay(d);
        seen += day.holiday + (day.schedule != nullptr) + day.holidayName.size();
        d = d >= end ? end - 3650 : d + 1;
    }
    benchmark::DoNotOptimize(seen);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DayLookup)->Arg(1000)->Arg(100000);

} // namespace

BENCHMARK_MAIN();
