// SetdataDll: the date and observer every other export answers for.
#include "almanac.h"
#include "almanac_state.h"
#include "float_environment.h"
#include "checked_numbers.h"
#include "day_counts.h"

using namespace almanac;

static ALMANAC_NOINLINE int SetdataDllBody(double latitude, double longitude, double height, int year,
                                           int month, int day, int *solarMonth) {
    AlmanacState &st = State();
    st.height = height;
    st.year = year;
    st.month = month;
    st.day = day;

    // World geodetic datum to the Tokyo datum.
    st.latitude = 1.00010696 * latitude - 0.000017467 * longitude - 0.0046024;
    st.longitude = 0.000046047 * latitude + 1.000083049 * longitude - 0.010041;

    const DayCounts counts = CivilToDays(year, month, day);
    st.EpochDay = counts.EpochDay;
    st.J1900Day = counts.J1900Day;

    const int month30 = SolarMonthOf(st.EpochDay);
    if (solarMonth != nullptr) {
        *solarMonth = month30;
    }

    // EpochDay + 42413 is the Modified Julian Day; MJD 0 was a Wednesday.
    // Floor and a non-negative remainder keep dates before 1858 in 0..6.
    const long long mjd = FloorToInt64(st.EpochDay + 42413.0);
    return static_cast<int>(((mjd % 7) + 3 + 7) % 7);
}

// The export: the library's own floating-point state for the whole call.
extern "C" ALMANAC_API int ALMANAC_CALL SetdataDll(double latitude, double longitude, double height,
                                                   int year, int month, int day, int *solarMonth) {
    const FloatEnvironmentGuard guard;
    return SetdataDllBody(latitude, longitude, height, year, month, day, solarMonth);
}
