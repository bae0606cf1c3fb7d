#include "ephemeris.h"

#include <cmath>

#include "almanac_state.h"
#include "ephemeris_terms.h"

namespace almanac {

double SinDeg(double x) { return std::sin(x * kRadiansPerDegree); }
double CosDeg(double x) { return std::cos(x * kRadiansPerDegree); }
double TanDeg(double x) { return std::tan(x * kRadiansPerDegree); }

double NormalizeAngle(double x) {
    // Whole turns subtracted one at a time are exact in binary floating point
    // (both operands are multiples of the larger one's unit in the last
    // place), so fmod gives the same value without a loop that a huge or
    // infinite argument would never finish.
    if (!std::isfinite(x)) {
        return std::nan("");
    }
    if (x > 360.0) {
        return std::fmod(x, 360.0);
    }
    if (x < 0.0) {
        const double r = std::fmod(x, 360.0);
        return r < 0.0 ? r + 360.0 : 0.0;
    }
    return x;
}

double TruncToWhole(double x) { return std::trunc(x); }

double EphemerisYears(double E, double t) {
    const double t0 = UniformYears(E, t);
    return t0 + (0.0317 * t0 + 1.43) * 1e-6;
}

namespace {

template <std::size_t N>
double SineSeries(const Term (&terms)[N], double T) {
    double sum = 0.0;
    for (const Term &term : terms) {
        sum += term.amplitude * SinDeg(term.phase + term.rate * T);
    }
    return sum;
}

template <std::size_t N>
double CosineSeries(const Term (&terms)[N], double T) {
    double sum = 0.0;
    for (const Term &term : terms) {
        sum += term.amplitude * CosDeg(term.phase + term.rate * T);
    }
    return sum;
}

}  // namespace

SunPositionResult SunPosition(double T) {
    SunPositionResult sun;
    sun.longitude = NormalizeAngle(279.0358 + 360.00769 * T) +
                    (1.9159 - 0.00005 * T) * SinDeg(356.531 + 359.991 * T) +
                    SineSeries(kSunLongitudeTerms, T);
    sun.logDistance = (0.0000002 * T - 0.007261) * CosDeg(356.53 + 359.991 * T) + 0.00003 -
                      0.000091 * CosDeg(353.1 + 719.98 * T) + 0.000013 * CosDeg(205.8 + 4452.67 * T) +
                      0.000007 * CosDeg(62 + 450.4 * T) + 0.000007 * CosDeg(105 + 329.6 * T);
    sun.distance = std::pow(10.0, sun.logDistance);

    AlmanacState &st = State();
    st.sunLongitude = sun.longitude;
    st.sunLogDistance = sun.logDistance;
    st.sunDistance = sun.distance;
    return sun;
}

MoonPositionResult MoonPosition(double T) {
    MoonPositionResult moon;
    moon.correctionA = SineSeries(kMoonATerms, T);
    moon.longitude = NormalizeAngle(124.8754 + 4812.67881 * T) +
                     6.2887 * SinDeg(338.915 + 4771.9886 * T + moon.correctionA) +
                     SineSeries(kMoonLongitudeTerms, T);
    moon.correctionB = SineSeries(kMoonBTerms, T);
    moon.latitude = 5.1282 * SinDeg(236.231 + 4832.0202 * T + moon.correctionB) +
                    SineSeries(kMoonLatitudeTerms, T);
    moon.parallax = 0.9507 + CosineSeries(kMoonParallaxTerms, T);

    AlmanacState &st = State();
    st.moonLongitude = moon.longitude;
    st.moonLatitude = moon.latitude;
    st.moonParallax = moon.parallax;
    st.moonCorrectionA = moon.correctionA;
    st.moonCorrectionB = moon.correctionB;
    return moon;
}

namespace {

constexpr int kMaxSearchSteps = 10;

// Moon minus sun longitude at t days after the midnight whose EpochDay is E.
double Elongation(double E, double t, bool normalize) {
    const double T = EphemerisYears(E, t);
    const SunPositionResult sun = SunPosition(T);
    const MoonPositionResult moon = MoonPosition(T);
    State().searchTime = t;
    if (normalize) {
        return NormalizeAngle(moon.longitude) - NormalizeAngle(sun.longitude);
    }
    return moon.longitude - sun.longitude;
}

}  // namespace

double MoonAge(double h, double E) {
    double t = h / 24.0;
    double age = 0.0;
    double s = 0.0;
    int steps = 0;
    do {
        t -= s;
        double d = Elongation(E, t, true);
        // Just before a new moon the first difference is negative: walk back
        // to the previous new moon rather than forward to the next.
        if (steps == 0 && d < 0.0) {
            d += 360.0;
        }
        if (d < -180.0) {
            d += 360.0;
        }
        s = d * kDaysPerElongationDegree;
        age += s;
        ++steps;
    } while (!(std::fabs(s) <= 0.001) && steps < kMaxSearchSteps);

    if (steps > kMaxSearchSteps - 1) {
        return 99.0;
    }
    return TruncToWhole(age * 10.0 + 0.5) * 0.1;
}

double PhaseTimeOfDay(double theta) {
    const double E = State().EpochDay;
    double t = 0.5;
    double s = 0.0;
    int steps = 0;
    do {
        t -= s;
        double d = Elongation(E, t, true);
        if (d >= -90.0) {
            d -= theta;
        } else {
            d += theta;
        }
        s = d * kDaysPerElongationDegree;
        ++steps;
    } while (!(std::fabs(s) <= 0.0001) && steps < kMaxSearchSteps);
    return t;
}

double NewMoonNear(double E) {
    double t = 0.5;
    double s = 0.0;
    int steps = 0;
    do {
        t -= s;
        double d = Elongation(E, t, false);
        if (d > 270.0) {
            d -= 360.0;
        }
        if (d < -270.0) {
            d += 360.0;
        }
        s = d * kDaysPerElongationDegree;
        ++steps;
    } while (!(std::fabs(s) <= 0.0001) && steps < kMaxSearchSteps);
    return t;
}

}  // namespace almanac
