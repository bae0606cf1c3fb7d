// KyuseiDll: the nine stars of the year, the solar month and the day.  The
// day stars run forwards from the switch day near the winter solstice and
// backwards from the one near the summer solstice.
#include <climits>
#include <initializer_list>

#include "almanac.h"
#include "almanac_state.h"
#include "float_environment.h"
#include "nine_stars.h"
#include "sexagenary.h"
#include "solar_terms.h"

namespace almanac {

namespace {

// Shift-JIS (code page 932).  The last entry stands for any other index.
constexpr const char *StarNames[10] = {
    "\x88\xEA\x94\x92\x90\x85\x90\xAF",  // 一白水星
    "\x93\xF1\x8D\x95\x93\x79\x90\xAF",  // 二黒土星
    "\x8E\x4F\x95\xC9\x96\xD8\x90\xAF",  // 三碧木星
    "\x8E\x6C\x97\xCE\x96\xD8\x90\xAF",  // 四緑木星
    "\x8C\xDC\x89\xA9\x93\x79\x90\xAF",  // 五黄土星
    "\x98\x5A\x94\x92\x8B\xE0\x90\xAF",  // 六白金星
    "\x8E\xB5\x90\xD4\x8B\xE0\x90\xAF",  // 七赤金星
    "\x94\xAA\x94\x92\x93\x79\x90\xAF",  // 八白土星
    "\x8B\xE3\x8E\x87\x89\xCE\x90\xAF",  // 九紫火星
    "??",
};

const char *StarName(int index) {
    if (index < 0 || index > 8) {
        return StarNames[9];
    }
    return StarNames[index];
}

bool IsSummerSwitch(int k) { return k == 1 || k == 3; }

bool IsKogoDay(long long D) { return DayStem(D) == 0 && DayBranch(D) == 6; }    // 甲午
bool IsKashiDay(long long D) { return DayStem(D) == 0 && DayBranch(D) == 0; }   // 甲子

}  // namespace

void SwitchDayNear(int k, long long D) {
    if (k < 1 || k > 4) {
        return;
    }
    AlmanacState &st = State();
    const bool summer = IsSummerSwitch(k);
    for (const long long candidate : {D, D + 1, D - 1}) {
        if (IsKogoDay(candidate)) {
            st.switchDay[k] = candidate;
            st.switchStar[k] = summer ? 2 : 6;
            return;
        }
    }
    // A 甲子 day recurs every 60 days, so this ends by s = 30.
    long long found = D;
    for (long long s = 0; s <= 61; ++s) {
        if (IsKashiDay(D - s)) {
            found = D - s;
            break;
        }
        if (IsKashiDay(D + s)) {
            found = D + s;
            break;
        }
    }
    st.switchDay[k] = found;
    st.switchStar[k] = summer ? 8 : 0;
}

}  // namespace almanac

using namespace almanac;

static ALMANAC_NOINLINE const char *KyuseiDllBody(int type, int *star) {
    AlmanacState &st = State();
    // Solar month and year branch as the last EtoDll left them.
    const int N = st.solarMonth;
    const bool beforeSpring = (st.month == 1 || st.month == 2) && (N == 11 || N == 12);

    long long y = static_cast<long long>(st.year) + 7;
    if (beforeSpring) --y;
    st.yearStar = static_cast<int>(8 - FloorMod(y, 9));

    int monthStar = 0;
    switch (FloorMod(st.yearBranch, 3)) {
        case 0: monthStar = 8 - N; break;
        case 1: monthStar = 5 - N; break;
        default: monthStar = 2 - N; break;
    }
    if (monthStar < 0) monthStar = static_cast<int>(FloorMod(monthStar, 9));
    st.monthStar = monthStar;

    // Solstices of the year before and of the set year.
    const int previousYear = st.year > INT_MIN ? st.year - 1 : st.year;
    const struct {
        int year, month, day;
        double target;
    } solstices[5] = {
        {0, 0, 0, 0.0},
        {previousYear, 6, 20, 90.0},
        {previousYear, 12, 21, 270.0},
        {st.year, 6, 20, 90.0},
        {st.year, 12, 21, 270.0},
    };
    for (int k = 1; k <= 4; ++k) {
        FindTermDay(solstices[k].year, solstices[k].month, solstices[k].day, solstices[k].target);
        SwitchDayNear(k, DayIndex(st.termSearchEpochDay));
    }

    const long long D0 = DayIndex(st.EpochDay);
    int k = 1;
    for (int candidate = 4; candidate >= 1; --candidate) {
        if (st.switchDay[candidate] <= D0) {
            k = candidate;
            break;
        }
    }
    const long long n = D0 - st.switchDay[k];
    long long dayStar = st.switchStar[k];
    if (n > 0) {
        // One step a day: upwards after a winter switch, downwards after a summer one.
        dayStar = IsSummerSwitch(k) ? FloorMod(dayStar - FloorMod(n, 9), 9) : FloorMod(dayStar + FloorMod(n, 9), 9);
    }
    st.dayStar = static_cast<int>(dayStar);

    int result = type;
    switch (type) {
        case 1: result = st.yearStar; break;
        case 2: result = st.monthStar; break;
        case 3: result = st.dayStar; break;
        default: break;
    }
    if (star != nullptr) *star = result;
    return SetResultText(StarName(result));
}

// The exports: the library's own floating-point state for the whole call.
extern "C" ALMANAC_API const char *ALMANAC_CALL KyuseiDll(int type, int *star) {
    const FloatEnvironmentGuard guard;
    return KyuseiDllBody(type, star);
}
