// The library's one process-wide state record, zero at load.  Internal: every
// symbol here is hidden from the shared library's export table.
#ifndef ALMANAC_ALMANAC_STATE_H
#define ALMANAC_ALMANAC_STATE_H

#include <cstddef>

namespace almanac {

// Longest text any export writes is eight bytes plus the terminator; the rest
// is headroom.
inline constexpr std::size_t kResultTextSize = 32;

struct AlmanacState {
    // Observer (after the shift to the Tokyo datum) and the date as passed.
    double latitude;
    double longitude;
    double height;
    int year;
    int month;
    int day;

    // Day counts of the local midnight (UT + 9) that starts the set date.
    double EpochDay;   // days from 1974-12-31 00:00 UT
    double J1900Day;   // days from 1899-12-31 12:00 UT

    // Solar month of the set day and the sun's longitude at the day's end.
    double sunLongitudeAtDayEnd;
    int solarMonth;

    // Sexagenary cycle: last stems and branches of year, month and day.
    int yearStem;
    int yearBranch;
    int monthStem;
    int monthBranch;
    int dayStem;
    int dayBranch;

    // Nine stars: last stars and the four switch days (index 1..4; 0 unused)
    // as day indexes (Modified Julian Day numbers) with their starting stars.
    int yearStar;
    int monthStar;
    int dayStar;
    long long switchDay[5];
    int switchStar[5];

    // Old calendar: last month (negative for a leap month), day and rokuyo.
    int oldMonth;
    int oldDay;
    int rokuyo;

    // Solar terms: last code, hour and longitude at the day's end; and the
    // hour and crossing day's EpochDay left by the day search.
    int termCode;
    double termHour;
    double termLongitude;
    double termSearchHour;
    double termSearchEpochDay;

    // Moon and sun: last age, event hour, azimuth, apparent altitude, the
    // search's time variable (hours) and the moonrise memory (hours).
    double moonAge;
    double eventHour;
    double azimuth;
    double altitude;
    double eventTime;
    double moonriseHour;

    // Scratch: last positions and the time variable of the current search.
    double sunLongitude;      // not reduced to a circle
    double sunLogDistance;    // q
    double sunDistance;       // r = 10^q, astronomical units
    double moonLongitude;     // not reduced to a circle
    double moonLatitude;
    double moonParallax;
    double moonCorrectionA;
    double moonCorrectionB;
    double searchTime;        // days after local midnight

    // Day counts of a date other than the set one (searches, table building);
    // EpochDay and J1900Day above stay those of the set date.
    double scratchEpochDay;
    double scratchJ1900Day;

    // NUL-terminated Shift-JIS text of the last text-returning export.
    char ResultText[kResultTextSize];
};

extern AlmanacState g_state;

inline AlmanacState &State() { return g_state; }

// Copies a NUL-terminated byte string into ResultText (truncated to fit,
// always terminated) and returns ResultText.  A null text gives "".
const char *SetResultText(const char *text);

}  // namespace almanac

#endif  // ALMANAC_ALMANAC_STATE_H
