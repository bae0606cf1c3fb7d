// Terms, cycles, stars, moon and sun exports under absurd dates, positions
// and type codes: every call returns (no hang, no crash, nothing written
// through a null pointer) and the texts stay inside their tables.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "almanac.h"
#include "almanac/sjis_text.h"

using almanac_test::FromCp932;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Runs every query export with every type code of interest, with real and
// with null outputs, and checks what must hold whatever the input.
void QueryEverything() {
    int code = -1;
    double hour = 0.0;
    double longitude = 0.0;
    const char *text = SekkiDll(&code, &hour, &longitude);
    ASSERT_NE(text, nullptr);
    EXPECT_GE(code, 0);
    EXPECT_LE(code, 27);
    EXPECT_LE(std::strlen(text), 8u);
    EXPECT_NE(FromCp932(text), "<invalid>");
    SekkiDll(nullptr, nullptr, nullptr);

    for (int type : {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 6, 12, 13, INT_MAX}) {
        double h = 0.0;
        KisetuDll(type, &h);
        KisetuDll(type, nullptr);

        int stem = 0;
        int branch = 0;
        text = EtoDll(type, &stem, &branch);
        ASSERT_NE(text, nullptr);
        EXPECT_LE(std::strlen(text), 8u);
        EXPECT_NE(FromCp932(text), "<invalid>");
        if (type >= 1 && type <= 3) {
            EXPECT_GE(stem, 0);
            EXPECT_LE(stem, 9);
            EXPECT_GE(branch, 0);
            EXPECT_LE(branch, 11);
        }
        EtoDll(type, nullptr, nullptr);

        int star = 0;
        text = KyuseiDll(type, &star);
        ASSERT_NE(text, nullptr);
        EXPECT_LE(std::strlen(text), 8u);
        EXPECT_NE(FromCp932(text), "<invalid>");
        if (type >= 1 && type <= 3) {
            EXPECT_GE(star, 0);
            EXPECT_LE(star, 8);
        }
        KyuseiDll(type, nullptr);

        double a = 0.0;
        MoonDll(type, &h, &a);
        MoonDll(type, nullptr, nullptr);
        SunDll(type, &h, &a);
        SunDll(type, nullptr, nullptr);
    }
    for (double at : {0.0, 12.0, -1e308, 1e308, kNaN, kInf, -kInf}) {
        double age = 0.0;
        double phase = 0.0;
        MoonageDll(at, &age, &phase);
        MoonageDll(at, nullptr, nullptr);
    }
}

TEST(ExtremeInputs, QueriesBeforeAnyDateIsSet) {
    // A fresh process state is zero; this process may have set dates
    // already, but the queries must hold either way.
    QueryEverything();
}

TEST(ExtremeInputs, AbsurdDates) {
    const int years[] = {INT_MIN, -1000000, -4713, -1, 0, 1, 1582, 1858, 1899, 1900, 2100, 2101, 9999,
                         1000000, INT_MAX};
    const int months[] = {INT_MIN, -13, 0, 1, 2, 3, 12, 13, 1000, INT_MAX};
    const int days[] = {INT_MIN, -400, 0, 1, 29, 31, 32, 400, INT_MAX};
    unsigned combination = 0;
    for (int year : years) {
        for (int month : months) {
            for (int day : days) {
                SCOPED_TRACE(testing::Message() << year << "-" << month << "-" << day);
                SetdataDll(35.0, 135.0, 10.0, year, month, day, nullptr);
                int code = -1;
                double hour = 0.0;
                double longitude = 0.0;
                SekkiDll(&code, &hour, &longitude);
                EXPECT_GE(code, 0);
                EXPECT_LE(code, 27);
                int stem = -1;
                int branch = -1;
                for (int type = 1; type <= 3; ++type) {
                    EtoDll(type, &stem, &branch);
                    EXPECT_GE(stem, 0);
                    EXPECT_LE(stem, 9);
                    EXPECT_GE(branch, 0);
                    EXPECT_LE(branch, 11);
                }
                // Each call runs four solstice searches; one type a date.
                const int type = static_cast<int>(++combination % 3) + 1;
                int star = -1;
                KyuseiDll(type, &star);
                EXPECT_GE(star, 0);
                EXPECT_LE(star, 8);
            }
        }
    }
    // The full set of queries on the extremes of the range.
    for (int year : {INT_MIN, INT_MAX}) {
        SetdataDll(35.0, 135.0, 10.0, year, INT_MAX, INT_MIN, nullptr);
        QueryEverything();
    }
}

TEST(ExtremeInputs, AbsurdPositions) {
    const double values[] = {0.0, 90.0, -90.0, 180.0, 1e308, -1e308, kNaN, kInf, -kInf};
    for (double latitude : values) {
        for (double longitude : values) {
            for (double height : {0.0, -1.0, 1e308, kNaN, kInf}) {
                SCOPED_TRACE(testing::Message() << latitude << " " << longitude << " " << height);
                SetdataDll(latitude, longitude, height, 2020, 1, 1, nullptr);
                double hour = 0.0;
                double angle = 0.0;
                for (int type = 1; type <= 5; ++type) {
                    SunDll(type, &hour, &angle);
                    if (type <= 3) MoonDll(type, &hour, &angle);
                }
            }
        }
    }
    SetdataDll(kNaN, kInf, -kInf, 2020, 1, 1, nullptr);
    QueryEverything();
}

TEST(ExtremeInputs, RandomInputs) {
    std::mt19937_64 random(20260101);
    std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> nearYear(-3000, 6000);
    std::uniform_int_distribution<int> smallInt(-40, 400);
    std::uniform_real_distribution<double> angle(-400.0, 400.0);
    std::uniform_real_distribution<double> hourOfDay(-48.0, 72.0);
    for (int i = 0; i < 300; ++i) {
        const int year = (i % 3 == 0) ? anyInt(random) : nearYear(random);
        const int month = (i % 5 == 0) ? anyInt(random) : smallInt(random) % 14;
        const int day = (i % 7 == 0) ? anyInt(random) : smallInt(random);
        SetdataDll(angle(random), angle(random), std::fabs(angle(random)), year, month, day, nullptr);
        int code = -1;
        double hour = 0.0;
        double longitude = 0.0;
        SekkiDll(&code, &hour, &longitude);
        EXPECT_GE(code, 0);
        EXPECT_LE(code, 27);
        const int type = smallInt(random) % 7;
        int stem = 0;
        int branch = 0;
        EtoDll(type, &stem, &branch);
        int star = 0;
        KyuseiDll(type, &star);
        KisetuDll(type, &hour);
        double a = 0.0;
        MoonageDll(hourOfDay(random), &a, &hour);
        MoonDll(type, &hour, &a);
        SunDll(type, &hour, &a);
    }
}

}  // namespace
