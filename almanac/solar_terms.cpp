// The 24 solar terms, the first days of the doyo periods and the two
// seasonal days of early summer (SekkiDll), and the day and hour of the start
// of spring and the equinoxes (KisetuDll).
#include <cmath>

#include "almanac.h"
#include "almanac_state.h"
#include "float_environment.h"
#include "checked_numbers.h"
#include "day_counts.h"
#include "ephemeris.h"
#include "solar_terms.h"

namespace almanac {

namespace {

constexpr int kNoTermCode = 27;
constexpr double kNoDegreeCrossed = 88.8;
constexpr double kNoTermDegree = 99.9;

// Searches start a few days before their crossing; a year of midnights is
// far beyond any start the callers use.
constexpr int kMaxSearchDays = 366;

// Shift-JIS (code page 932) names by term code.
constexpr const char *kTermNames[28] = {
    "\x93\x79\x97\x70",          // 土用
    "\x97\xA7\x8F\x74",          // 立春
    "\x89\x4A\x90\x85",          // 雨水
    "\x8C\x5B\xE5\xAD",          // 啓蟄
    "\x8F\x74\x95\xAA",          // 春分
    "\x90\xB4\x96\xBE",          // 清明
    "\x8D\x92\x89\x4A",          // 穀雨
    "\x97\xA7\x89\xC4",          // 立夏
    "\x8F\xAC\x96\x9E",          // 小満
    "\xE4\x8A\x8E\xED",          // 芒種
    "\x89\xC4\x8E\x8A",          // 夏至
    "\x8F\xAC\x8F\x8B",          // 小暑
    "\x91\xE5\x8F\x8B",          // 大暑
    "\x97\xA7\x8F\x48",          // 立秋
    "\x8F\x88\x8F\x8B",          // 処暑
    "\x94\x92\x98\x49",          // 白露
    "\x8F\x48\x95\xAA",          // 秋分
    "\x8A\xA6\x98\x49",          // 寒露
    "\x91\x9A\x8D\x7E",          // 霜降
    "\x97\xA7\x93\x7E",          // 立冬
    "\x8F\xAC\x90\xE1",          // 小雪
    "\x91\xE5\x90\xE1",          // 大雪
    "\x93\x7E\x8E\x8A",          // 冬至
    "\x8F\xAC\x8A\xA6",          // 小寒
    "\x91\xE5\x8A\xA6",          // 大寒
    "\x93\xFC\x94\x7E",          // 入梅
    "\x94\xBC\x89\xC4\x90\xB6",  // 半夏生
    "\x81\x7C\x81\x7C",          // －－ (no term)
};

// Code of a whole degree of solar longitude, or kNoTermCode when the degree
// marks nothing.  The equinox is marked at both 0 and 360 because the raw
// longitude runs past 360 before its mean part wraps.
int TermCodeOfDegree(double degree) {
    if (!(degree >= 0.0 && degree <= 360.0)) {
        return kNoTermCode;
    }
    const int g = static_cast<int>(degree);
    if (g == 27 || g == 117 || g == 207 || g == 297) return 0;  // doyo
    if (g == 80) return 25;
    if (g == 100) return 26;
    if (g % 15 == 0) {
        // 315 degrees (start of spring) is code 1, then one code every 15.
        return ((g - 315) / 15 % 24 + 24) % 24 + 1;
    }
    return kNoTermCode;
}

}  // namespace

void SolarTermOfDay() {
    AlmanacState &st = State();
    const double E = st.EpochDay;
    // The two midnights that bound the day, without the Delta-T allowance
    // and without reduction to a circle.
    const double start = SunPosition(UniformYears(E, 0.0)).longitude;
    const double end = SunPosition(UniformYears(E, 1.0)).longitude;

    st.termLongitude = end;
    st.termCode = kNoTermCode;

    const double c = std::trunc(start);
    const double d = std::trunc(end);
    if (c == d) {
        st.termHour = kNoDegreeCrossed;
        return;
    }
    double degree = d;
    int code = TermCodeOfDegree(d);
    if (code == kNoTermCode && d - c == 2.0 && TermCodeOfDegree(d - 1.0) != kNoTermCode) {
        // Near perihelion the sun can pass two whole degrees in one day; the
        // term at the first of them falls on this day, or else on none.
        degree = d - 1.0;
        code = TermCodeOfDegree(degree);
    }
    if (code == kNoTermCode) {
        st.termHour = kNoTermDegree;
        return;
    }
    st.termCode = code;
    st.termHour = (degree - start) * 24.0 / (end - start);
}

int FindTermDay(int year, int month, int day, double target) {
    AlmanacState &st = State();
    const DayCounts startCounts = CivilToDays(year, month, day);
    st.scratchEpochDay = startCounts.EpochDay;
    st.scratchJ1900Day = startCounts.J1900Day;

    double E = startCounts.EpochDay;
    double prev = 0.0;
    double lambda = 0.0;
    double firstLambda = 0.0;
    int n = 0;
    bool reached = false;
    while (n < kMaxSearchDays) {
        lambda = SunPosition(EphemerisYears(E, 0.0)).longitude;
        if (lambda > 400.0) {
            lambda = NormalizeAngle(lambda);
        }
        E += 1.0;
        ++n;
        if (n == 1) {
            firstLambda = lambda;
        }
        if (lambda >= target) {
            reached = true;
            break;
        }
        prev = lambda;
    }
    if (!reached) {
        // Answer as for a start already past the target: the day before the
        // start, with the hour taken from the first midnight and prev = 0.
        n = 1;
        prev = 0.0;
        lambda = firstLambda;
        E = startCounts.EpochDay + 1.0;
    }

    st.termSearchEpochDay = E - 2.0;
    st.termSearchHour = (target - prev) * 24.0 / (lambda - prev);
    return ClampToInt(static_cast<long long>(day) + n - 2);
}

}  // namespace almanac

using namespace almanac;

static ALMANAC_NOINLINE const char *SekkiDllBody(int *code, double *hour, double *sunLongitude) {
    SolarTermOfDay();
    const AlmanacState &st = State();
    if (code != nullptr) *code = st.termCode;
    if (hour != nullptr) *hour = st.termHour;
    if (sunLongitude != nullptr) *sunLongitude = st.termLongitude;
    return SetResultText(kTermNames[st.termCode]);
}

static ALMANAC_NOINLINE int KisetuDllBody(int type, double *hour) {
    int month = 0;
    int day = 0;
    double target = 0.0;
    switch (type) {
        case 1: month = 2; day = 1; target = 315.0; break;    // start of spring
        case 2: month = 3; day = 18; target = 360.0; break;   // vernal equinox
        case 3: month = 9; day = 20; target = 180.0; break;   // autumnal equinox
        default: return 0;
    }
    const int found = FindTermDay(State().year, month, day, target);
    if (hour != nullptr) *hour = State().termSearchHour;
    return found;
}

// The exports: the library's own floating-point state for the whole call.
extern "C" ALMANAC_API const char *ALMANAC_CALL SekkiDll(int *code, double *hour, double *sunLongitude) {
    const FloatEnvironmentGuard guard;
    return SekkiDllBody(code, hour, sunLongitude);
}

extern "C" ALMANAC_API int ALMANAC_CALL KisetuDll(int type, double *hour) {
    const FloatEnvironmentGuard guard;
    return KisetuDllBody(type, hour);
}
