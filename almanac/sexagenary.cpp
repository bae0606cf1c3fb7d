// EtoDll: heavenly stem and earthly branch of the year (changing at the start
// of spring), of the solar month and of the day.
#include <cstring>

#include "almanac.h"
#include "almanac_state.h"
#include "float_environment.h"
#include "checked_numbers.h"
#include "day_counts.h"
#include "sexagenary.h"

namespace almanac {

namespace {

// Shift-JIS (code page 932).  The last entry stands for any other index.
constexpr const char *StemNames[11] = {
    "\x8D\x62",  // 甲
    "\x89\xB3",  // 乙
    "\x95\xB8",  // 丙
    "\x92\x9A",  // 丁
    "\x95\xE8",  // 戊
    "\x8C\xC8",  // 己
    "\x8D\x4D",  // 庚
    "\x90\x68",  // 辛
    "\x90\x70",  // 壬
    "\xE1\xA1",  // 癸
    "?",
};

constexpr const char *BranchNames[13] = {
    "\x8E\x71",  // 子
    "\x89\x4E",  // 丑
    "\x93\xD0",  // 寅
    "\x89\x4B",  // 卯
    "\x92\x43",  // 辰
    "\x96\xA4",  // 巳
    "\x8C\xDF",  // 午
    "\x96\xA2",  // 未
    "\x90\x5C",  // 申
    "\x93\xD1",  // 酉
    "\x9C\xFA",  // 戌
    "\x88\xE5",  // 亥
    "?",
};

template <std::size_t N>
const char *NameAt(const char *const (&table)[N], int index) {
    if (index < 0 || index >= static_cast<int>(N)) {
        return table[N - 1];
    }
    return table[index];
}

}  // namespace

long long DayIndex(double E) { return FloorToInt64(E + 42413.0); }

const char *StemName(int index) { return NameAt(StemNames, index); }
const char *BranchName(int index) { return NameAt(BranchNames, index); }

}  // namespace almanac

using namespace almanac;

static ALMANAC_NOINLINE const char *EtoDllBody(int type, int *stem, int *branch) {
    AlmanacState &st = State();
    const int N = SolarMonthOf(st.EpochDay);  // also leaves sunLongitudeAtDayEnd
    const double lambda = st.sunLongitudeAtDayEnd;

    // The year changes at the start of spring (315 degrees).
    long long y = st.year;
    if ((st.month == 1 || st.month == 2) && lambda < 315.0) {
        --y;
    }
    const int yearStem = static_cast<int>(FloorMod(y + 6, 10));
    const int yearBranch = static_cast<int>(FloorMod(y + 8, 12));

    // Month 1 is the tiger month (branch 2); its stem follows the year's stem.
    int monthBranch = N + 1;
    if (monthBranch > 11) monthBranch -= 12;
    int monthStem = 0;
    switch (FloorMod(y, 10)) {
        case 0: case 5: monthStem = N + 3; break;
        case 1: case 6: monthStem = N + 5; break;
        case 2: case 7: monthStem = N + 7; break;
        case 3: case 8: monthStem = N - 1; break;
        default: monthStem = N + 1; break;  // 4 or 9
    }
    if (monthStem > 9) monthStem -= 10;

    const long long D = DayIndex(st.EpochDay);

    st.solarMonth = N;
    st.yearStem = yearStem;
    st.yearBranch = yearBranch;
    st.monthStem = monthStem;
    st.monthBranch = monthBranch;
    st.dayStem = DayStem(D);
    st.dayBranch = DayBranch(D);

    int s = type;
    int b = type;
    switch (type) {
        case 1: s = st.yearStem; b = st.yearBranch; break;
        case 2: s = st.monthStem; b = st.monthBranch; break;
        case 3: s = st.dayStem; b = st.dayBranch; break;
        default: break;
    }
    if (stem != nullptr) *stem = s;
    if (branch != nullptr) *branch = b;

    char text[kResultTextSize] = {};
    const char *stemName = StemName(s);
    const char *branchName = BranchName(b);
    const std::size_t stemLength = std::strlen(stemName);
    std::memcpy(text, stemName, stemLength);
    std::memcpy(text + stemLength, branchName, std::strlen(branchName));
    return SetResultText(text);
}

// The exports: the library's own floating-point state for the whole call.
extern "C" ALMANAC_API const char *ALMANAC_CALL EtoDll(int type, int *stem, int *branch) {
    const FloatEnvironmentGuard guard;
    return EtoDllBody(type, stem, branch);
}
