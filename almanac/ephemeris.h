// Analytical sun and moon series, the angle helpers and the elongation
// searches.  Internal, hidden from the export table.
//
// Angles are degrees, distances astronomical units.  A time of day t is in
// days after the local midnight (UT + 9) whose EpochDay is E.
#ifndef ALMANAC_EPHEMERIS_H
#define ALMANAC_EPHEMERIS_H

namespace almanac {

inline constexpr double kRadiansPerDegree = 0.017453292519943295;
// Days per degree of elongation (reciprocal of about 12.19 degrees a day).
inline constexpr double kDaysPerElongationDegree = 0.08202907110279883;

double SinDeg(double x);
double CosDeg(double x);
double TanDeg(double x);

// Into [0, 360) by whole turns; exactly 360 stays 360.  Values that are not
// finite come back as NaN instead of looping.
double NormalizeAngle(double x);

// Toward zero, as a double.
double TruncToWhole(double x);

// Julian years from 1975 January 0.0 without the Delta-T allowance.
inline double UniformYears(double E, double t) { return (E + t) / 365.25; }

// The time argument with the Delta-T allowance, for the instant t days after
// the local midnight whose EpochDay is E.
double EphemerisYears(double E, double t);

struct SunPositionResult {
    double longitude;    // apparent, not reduced to a circle
    double logDistance;  // q
    double distance;     // r = 10^q
};

struct MoonPositionResult {
    double longitude;    // not reduced to a circle
    double latitude;
    double parallax;     // horizontal parallax
    double correctionA;
    double correctionB;
};

// Both also leave their results in the scratch fields of the state.
SunPositionResult SunPosition(double T);
MoonPositionResult MoonPosition(double T);

// Moon age in days at hour h of the day whose EpochDay is E (one decimal);
// 99.0 when ten steps do not settle it.
double MoonAge(double h, double E);

// Time of day t of the phase theta (0 new, 180 full moon) searched from noon
// of the set day (EpochDay of the state).  Returns the t at which both bodies
// were last evaluated; may lie outside [0, 1].
double PhaseTimeOfDay(double theta);

// Time of day t, relative to the local midnight whose EpochDay is E, of the
// new moon searched from noon of that day; the t of the last evaluation.
double NewMoonNear(double E);

}  // namespace almanac

#endif  // ALMANAC_EPHEMERIS_H
