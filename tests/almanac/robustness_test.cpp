// Every export, for any values: no crash, no hang, nothing written but the
// outputs, null outputs skipped.  Meant to run under the sanitizers too.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "almanac.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

// Output variables fenced by guard words: a stray write beside an output
// shows up as a changed guard.
template <typename T>
struct Fenced {
    unsigned char before[16];
    T value;
    unsigned char after[16];
    Fenced() {
        std::memset(before, 0xA5, sizeof before);
        std::memset(after, 0x5A, sizeof after);
        std::memset(static_cast<void *>(&value), 0, sizeof value);
    }
    bool intact() const {
        for (unsigned char c : before)
            if (c != 0xA5) return false;
        for (unsigned char c : after)
            if (c != 0x5A) return false;
        return true;
    }
};

bool TextIsSane(const char *text) {
    return text != nullptr && std::strlen(text) < 32;
}

// Runs every query export for the current set date, once with outputs and
// once with null pointers.
void QueryEverything(double hour) {
    Fenced<int> i1, i2, i3;
    Fenced<double> d1, d2;
    for (int type : {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 6, 99, INT_MAX}) {
        EXPECT_TRUE(TextIsSane(EtoDll(type, &i1.value, &i2.value)));
        EXPECT_TRUE(TextIsSane(KyuseiDll(type, &i1.value)));
        EXPECT_TRUE(TextIsSane(EtoDll(type, nullptr, nullptr)));
        EXPECT_TRUE(TextIsSane(KyuseiDll(type, nullptr)));
        MoonDll(type, &d1.value, &d2.value);
        MoonDll(type, nullptr, nullptr);
        SunDll(type, &d1.value, &d2.value);
        SunDll(type, nullptr, nullptr);
        KisetuDll(type, &d1.value);
        KisetuDll(type, nullptr);
    }
    MoonageDll(hour, &d1.value, &d2.value);
    MoonageDll(hour, nullptr, nullptr);
    EXPECT_TRUE(TextIsSane(RokuyoDll(&i1.value, &i2.value, &i3.value)));
    EXPECT_TRUE(TextIsSane(RokuyoDll(nullptr, nullptr, nullptr)));
    EXPECT_TRUE(TextIsSane(SekkiDll(&i1.value, &d1.value, &d2.value)));
    EXPECT_TRUE(TextIsSane(SekkiDll(nullptr, nullptr, nullptr)));
    EXPECT_TRUE(i1.intact() && i2.intact() && i3.intact() && d1.intact() && d2.intact());
}

TEST(Robustness, QueriesBeforeAnyDateIsSet) {
    // Runs first in this program only by chance; either way the state is valid.
    QueryEverything(12.0);
}

TEST(Robustness, ExtremeDates) {
    const int years[] = {INT_MIN, INT_MIN + 1, -2000000000, -1000000, -1, 0, 1899, 1900,
                         2100, 2101, 100000, 2000000000, INT_MAX - 1, INT_MAX};
    // Months and days far outside their ranges, alone and together.
    const int dates[][2] = {{1, 1}, {0, 0}, {13, 40}, {2, -1000000}, {-13, 1000000},
                            {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
    for (int year : years) {
        for (const auto &date : dates) {
            Fenced<int> solarMonth;
            const int w = SetdataDll(35.0, 139.0, 0.0, year, date[0], date[1], &solarMonth.value);
            EXPECT_GE(w, 0);
            EXPECT_LE(w, 6);
            EXPECT_TRUE(solarMonth.intact());
            Fenced<int> m, d, r;
            EXPECT_TRUE(TextIsSane(RokuyoDll(&m.value, &d.value, &r.value)));
            EXPECT_TRUE(m.intact() && d.intact() && r.intact());
            Fenced<int> code;
            Fenced<double> hour, longitude;
            EXPECT_TRUE(TextIsSane(SekkiDll(&code.value, &hour.value, &longitude.value)));
            EXPECT_TRUE(code.intact() && hour.intact() && longitude.intact());
        }
        QueryEverything(12.0);
    }
}

TEST(Robustness, NonFinitePositionsAndHours) {
    const double values[] = {kNaN, kInf, -kInf, 1e308, -1e308, 91.0, -91.0, 0.0};
    for (double a : values) {
        for (double b : values) {
            SetdataDll(a, b, a, 2020, 1, 1, nullptr);
            QueryEverything(b);
        }
    }
}

TEST(Robustness, RandomInputs) {
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> nearYear(1800, 2200);
    std::uniform_int_distribution<int> smallInt(-40, 40);
    std::uniform_real_distribution<double> anyDouble(-1e6, 1e6);
    for (int k = 0; k < 30; ++k) {
        const bool wild = k % 5 == 0;
        const int year = wild ? anyInt(random) : nearYear(random);
        const int month = wild ? anyInt(random) : smallInt(random);
        const int day = wild ? anyInt(random) : smallInt(random);
        Fenced<int> solarMonth;
        SetdataDll(anyDouble(random), anyDouble(random), anyDouble(random), year, month, day, &solarMonth.value);
        EXPECT_TRUE(solarMonth.intact());
        QueryEverything(anyDouble(random));
    }
}

TEST(Robustness, RokuyoIndexIsValidOrMarkedForAnyDate) {
    // Either a rokuyo 0..5 with its name, or an index outside with no text.
    std::mt19937 random(99);
    std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
    for (int k = 0; k < 10; ++k) {
        SetdataDll(0.0, 0.0, 0.0, anyInt(random), anyInt(random), anyInt(random), nullptr);
        int m = 0, d = 0, r = 0;
        const char *text = RokuyoDll(&m, &d, &r);
        if (m == 0) {
            EXPECT_EQ(r, -1);  // no month number, no rokuyo
        }
        if (r >= 0 && r < 6) {
            EXPECT_GT(std::strlen(text), 0u);
        } else {
            EXPECT_STREQ(text, "");
        }
    }
}

}  // namespace
