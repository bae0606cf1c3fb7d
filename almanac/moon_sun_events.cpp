// Moon age and the time of new or full moon (MoonageDll); moonrise, moonset
// and lunar transit (MoonDll); sunrise, sunset, solar transit and twilight
// (SunDll).  Each event is found by iterating the time of day until the
// body's hour angle reaches the value the event requires.
#include <cmath>

#include "almanac.h"
#include "almanac_state.h"
#include "float_environment.h"
#include "ephemeris.h"
#include "moon_sun_events.h"

namespace almanac {

namespace {

constexpr int kMaxSteps = 10;

// The moon's hour angle moves about 347.8 degrees a day; the sun's 360.
constexpr double kMoonDaysPerHourAngleDegree = 0.0028752156411730877;
constexpr double kSunDaysPerHourAngleDegree = 0.002777777777777778;

constexpr double kNoPhaseWindow = 80.0;
constexpr double kPhaseOnOtherDay = 88.8;

// Hour angles stay within a few turns; the cap only keeps a non-finite value
// from looping.
constexpr int kMaxReductionSteps = 64;

double AtanDeg(double x) { return std::atan(x) / kRadiansPerDegree; }
double AsinDeg(double x) { return std::asin(x) / kRadiansPerDegree; }
double AcosDeg(double x) { return std::acos(x) / kRadiansPerDegree; }

double Obliquity(double T) { return 23.439291 - 0.000130042 * T; }

double SubtractWhileAbove(double x, double limit, double step) {
    for (int i = 0; i < kMaxReductionSteps && x > limit; ++i) x -= step;
    return x;
}

double AddWhileBelow(double x, double limit, double step) {
    for (int i = 0; i < kMaxReductionSteps && x < limit; ++i) x += step;
    return x;
}

// Transit searches aim at the hour angle 0 or 180, whichever is nearer:
// into (-180, 0] by half turns, then into [-90, 90].  lower tells whether an
// odd number of half turns was taken, so the search is heading for the lower
// transit.
double TransitHourAngle(double H, bool &lower) {
    lower = false;
    for (int i = 0; i < kMaxReductionSteps && H > 0.0; ++i) {
        H -= 180.0;
        lower = !lower;
    }
    for (int i = 0; i < kMaxReductionSteps && H <= -180.0; ++i) {
        H += 180.0;
        lower = !lower;
    }
    if (H < -90.0) {
        H += 180.0;
        lower = !lower;
    }
    return H;
}

// Cosine of the hour angle at which a body at declination dec stands at
// altitude h0 for an observer at latitude phi.
double HorizonCosine(double h0, double dec, double phi) {
    return (SinDeg(h0) - SinDeg(dec) * SinDeg(phi)) / CosDeg(dec) / CosDeg(phi);
}

// Dip of the horizon for the observer's height, in degrees.
double HorizonDip(double height) { return 0.0353333 * std::sqrt(height); }

}  // namespace

double LocalSiderealTime(double t) {
    const AlmanacState &st = State();
    const double T1 = (st.J1900Day + t) / 365.25;
    return NormalizeAngle(T1 * (3.87083e-8 * T1 + 360.00768925) + 360.000273791 * t + st.longitude +
                          324.69098);
}

void HorizonCoordinates(int steps, double dec, double Q, double R) {
    if (steps >= kMaxSteps) {
        return;
    }
    AlmanacState &st = State();
    const double phi = st.latitude;

    // Azimuth from north through east.
    const double X = SinDeg(dec) * CosDeg(phi) - CosDeg(dec) * SinDeg(phi) * CosDeg(R);
    double A = AtanDeg(-SinDeg(Q) * CosDeg(dec) / X);
    if (X < 0.0) A += 180.0;
    if (A < 0.0) A += 360.0;

    // True altitude, then refraction.
    const double h = AsinDeg(SinDeg(dec) * SinDeg(phi) + CosDeg(dec) * CosDeg(phi) * CosDeg(R));
    st.azimuth = A;
    st.altitude = h + 0.0167 / TanDeg(h + 8.6 / (h + 4.4));
    st.eventHour = 24.0 * st.searchTime;
    st.eventTime = st.eventHour;
}

bool RiseSetMoon(int type, double startHour) {
    AlmanacState &st = State();
    const double phi = st.latitude;
    double t = startHour / 24.0;
    double s = 0.0;
    int n = 0;
    double dec = 0.0;
    double angle = 0.0;  // H0 for rise and set, the hour angle of the transit met
    do {
        t += s;
        st.searchTime = t;
        const double T = EphemerisYears(st.EpochDay, t);
        const MoonPositionResult moon = MoonPosition(T);
        const double lambda = NormalizeAngle(moon.longitude);
        const double beta = moon.latitude;
        const double eps = Obliquity(T);

        // Ecliptic to equatorial.
        const double U = CosDeg(beta) * CosDeg(lambda);
        const double V = CosDeg(eps) * CosDeg(beta) * SinDeg(lambda) - SinDeg(eps) * SinDeg(beta);
        const double W = SinDeg(eps) * CosDeg(beta) * SinDeg(lambda) + CosDeg(eps) * SinDeg(beta);
        double alpha = AtanDeg(V / U);
        if (U < 0.0) alpha += 180.0;
        alpha = NormalizeAngle(alpha);
        dec = AtanDeg(W / std::sqrt(U * U + V * V));

        double H = LocalSiderealTime(t) - alpha;
        // The moon's centre on the horizon: parallax, refraction 35'08", dip.
        const double h0 = moon.parallax - 0.5855555 - HorizonDip(st.height);
        double H0 = AcosDeg(HorizonCosine(h0, dec, phi));
        if (type == 1) H0 = -H0;

        double d = 0.0;
        if (type == 3) {
            bool lower = false;
            H = TransitHourAngle(H, lower);
            d = -H;
            // The altitude is that of the transit actually met: a lower
            // transit lies half a turn from the reduced hour angle.
            angle = lower ? H + 180.0 : H;
        } else {
            d = SubtractWhileAbove(H0 - H, 180.0, 360.0);
            d = AddWhileBelow(d, -180.0, 360.0);
            angle = H0;
        }
        const double x = d * kMoonDaysPerHourAngleDegree;
        s = x - std::trunc(x);
        ++n;
    } while (!(std::fabs(s) <= 0.000001) && n < kMaxSteps);

    HorizonCoordinates(n, dec, angle, angle);
    return n < kMaxSteps;
}

bool RiseSetSun(int type) {
    AlmanacState &st = State();
    const double phi = st.latitude;
    double startHour = 12.0;
    if (type == 1 || type == 4) startHour = 3.5;
    if (type == 2 || type == 5) startHour = 20.5;
    const double tolerance = type == 3 ? 0.000001 : 0.001;

    double t = startHour / 24.0;
    double s = 0.0;
    int n = 0;
    double dec = 0.0;
    double H0 = 0.0;
    double H = 0.0;
    double altitudeHalfTurn = 0.0;  // 180 when a transit search meets the lower transit
    do {
        t += s;
        st.searchTime = t;
        const double T = EphemerisYears(st.EpochDay, t);
        const SunPositionResult sun = SunPosition(T);
        const double lambda = NormalizeAngle(sun.longitude);
        const double r = sun.distance;
        const double eps = Obliquity(T);

        // Right ascension in the quadrant of the longitude.
        double alpha = AtanDeg(CosDeg(eps) * TanDeg(lambda));
        if (lambda > 180.0) {
            if (alpha < 0.0) alpha += 360.0;
            if (alpha < 180.0) alpha += 180.0;
        }
        if (alpha < 0.0) alpha += 180.0;
        dec = AsinDeg(SinDeg(eps) * SinDeg(lambda));

        H = LocalSiderealTime(t) - alpha;
        double h0 = 0.0;
        if (type == 4 || type == 5) {
            // Twilight: the sun's centre 7 deg 21' 40" below the horizon.
            h0 = 0.00244282 / r - HorizonDip(st.height) - 7.361111;
        } else {
            // Upper limb on the horizon: parallax, semidiameter, dip, refraction.
            h0 = 0.00244282 / r - 0.2669944 / r - HorizonDip(st.height) - 0.5855555;
        }
        H0 = AcosDeg(HorizonCosine(h0, dec, phi));
        if (type == 1 || type == 4) H0 = -H0;

        double d = 0.0;
        if (type == 1 || type == 4) {
            H = SubtractWhileAbove(H, 0.0, 180.0);
            d = H0 - H;
        } else if (type == 2 || type == 5) {
            H = AddWhileBelow(H, 0.0, 180.0);
            d = H0 - H;
        } else {
            bool lower = false;
            H = TransitHourAngle(H, lower);
            d = -H;
            altitudeHalfTurn = lower ? 180.0 : 0.0;
        }
        s = d * kSunDaysPerHourAngleDegree;
        ++n;
    } while (!(std::fabs(s) <= tolerance) && n < kMaxSteps);

    HorizonCoordinates(n, dec, H0, H + altitudeHalfTurn);
    return n < kMaxSteps;
}

}  // namespace almanac

using namespace almanac;

static ALMANAC_NOINLINE void MoonageDllBody(double hour, double *moonAge, double *phaseHour) {
    AlmanacState &st = State();
    const double age = MoonAge(hour, st.EpochDay);
    st.moonAge = age;
    if (moonAge != nullptr) *moonAge = age;

    double t = 0.0;
    if (age > 28.0 || age < 0.5) {
        t = PhaseTimeOfDay(0.0);  // new moon
    } else if (age > 13.5 && age < 16.5) {
        t = PhaseTimeOfDay(180.0);  // full moon
    } else {
        if (phaseHour != nullptr) *phaseHour = kNoPhaseWindow;
        return;
    }
    const double h = 24.0 * t;
    if (phaseHour != nullptr) *phaseHour = (h >= 0.0 && h <= 24.0) ? h : kPhaseOnOtherDay;
}

static ALMANAC_NOINLINE void MoonDllBody(int type, double *hour, double *angle) {
    AlmanacState &st = State();
    double result = 0.0;
    switch (type) {
        case 1: {
            const bool settled = RiseSetMoon(1, 12.0);
            // Transit searches start from here.  An unsettled search leaves
            // its time variable in days, as it always has.
            st.moonriseHour = settled ? st.eventTime : st.searchTime;
            result = st.azimuth;
            break;
        }
        case 2:
            RiseSetMoon(2, 12.0);
            result = st.azimuth;
            break;
        case 3:
            st.moonriseHour += 6.0;
            if (st.moonriseHour > 24.0) st.moonriseHour = 1.0;
            RiseSetMoon(3, st.moonriseHour);
            result = st.altitude;
            break;
        default:
            return;
    }
    if (hour != nullptr) *hour = st.eventHour;
    if (angle != nullptr) *angle = result;
}

static ALMANAC_NOINLINE void SunDllBody(int type, double *hour, double *angle) {
    if (type < 1 || type > 5) {
        return;
    }
    AlmanacState &st = State();
    RiseSetSun(type);
    if (hour != nullptr) *hour = st.eventHour;
    if (angle != nullptr) *angle = type == 3 ? st.altitude : st.azimuth;
}

// The exports: the library's own floating-point state for the whole call.
extern "C" ALMANAC_API void ALMANAC_CALL MoonageDll(double hour, double *moonAge, double *phaseHour) {
    const FloatEnvironmentGuard guard;
    MoonageDllBody(hour, moonAge, phaseHour);
}

extern "C" ALMANAC_API void ALMANAC_CALL MoonDll(int type, double *hour, double *angle) {
    const FloatEnvironmentGuard guard;
    MoonDllBody(type, hour, angle);
}

extern "C" ALMANAC_API void ALMANAC_CALL SunDll(int type, double *hour, double *angle) {
    const FloatEnvironmentGuard guard;
    SunDllBody(type, hour, angle);
}
