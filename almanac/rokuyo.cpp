// RokuyoDll: old-calendar month and day of the set date, and its rokuyo.
#include "almanac.h"
#include "almanac_state.h"
#include "float_environment.h"
#include "checked_numbers.h"
#include "day_counts.h"
#include "old_calendar.h"
#include "old_calendar_cache.h"

using namespace almanac;

namespace {

// Code page 932: 先勝 友引 先負 仏滅 大安 赤口.
constexpr const char *kRokuyoNames[6] = {
    "\x90\xe6\x8f\x9f", "\x97\x46\x88\xf8", "\x90\xe6\x95\x89",
    "\x95\xa7\x96\xc5", "\x91\xe5\x88\xc0", "\x90\xd4\x8c\xfb",
};

}  // namespace

static ALMANAC_NOINLINE const char *RokuyoDllBody(int *oldMonth, int *oldDay, int *rokuyo) {
    AlmanacState &st = State();
    const DayCounts counts = CivilToDays(st.year, st.month, st.day);
    const long long N = TruncToInt64(counts.EpochDay);

    OldCalendarDate date = LookUpOldCalendar(OldCalendarYearOf(st.year), N);
    if (!date.found) {
        // A day or month outside its range can carry the date out of the set
        // year's tables; answer from the tables of the year that holds it.
        const int actualYear = CivilYearOf(counts.EpochDay, st.year);
        if (actualYear != st.year) {
            const OldCalendarDate other = LookUpOldCalendar(OldCalendarYearOf(actualYear), N);
            if (other.found) date = other;
        }
    }
    if (date.month == 0) {
        date.rokuyo = -1;  // outside the tables or an unnumbered month: no rokuyo
    }

    st.oldMonth = date.month;
    st.oldDay = ClampToInt(date.day);
    st.rokuyo = date.rokuyo;
    st.EpochDay = counts.EpochDay;
    st.J1900Day = counts.J1900Day;

    if (oldMonth != nullptr) *oldMonth = st.oldMonth;
    if (oldDay != nullptr) *oldDay = st.oldDay;
    if (rokuyo != nullptr) *rokuyo = st.rokuyo;
    const bool named = st.rokuyo >= 0 && st.rokuyo < 6;
    return SetResultText(named ? kRokuyoNames[st.rokuyo] : "");
}

// The exports: the library's own floating-point state for the whole call.
extern "C" ALMANAC_API const char *ALMANAC_CALL RokuyoDll(int *oldMonth, int *oldDay, int *rokuyo) {
    const FloatEnvironmentGuard guard;
    return RokuyoDllBody(oldMonth, oldDay, rokuyo);
}
