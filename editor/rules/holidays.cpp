#include "holidays.h"

#include <QHash>

#include <cmath>

namespace tamarie {

namespace {

// Date values count days from 1899-12-30, which is Julian day 2415019.
constexpr long long kJulianDayOfZero = 2415019;
// Date values of 0001-01-01 and 9999-12-31.
constexpr double kFirstValue = -693593.0;
constexpr double kLastValue = 2958465.0;

struct Ymd {
    int year, month, day;
    int weekday; // 1 = Sunday .. 7 = Saturday
};

bool Split(long long dayNumber, Ymd &out)
{
    if (dayNumber < kFirstValue || dayNumber > kLastValue)
        return false;
    const QDate d = QDate::fromJulianDay(dayNumber + kJulianDayOfZero);
    d.getDate(&out.year, &out.month, &out.day);
    out.weekday = d.dayOfWeek() % 7 + 1; // Qt: 1 = Monday .. 7 = Sunday
    return true;
}

bool DayNumber(TDateValue date, long long &n)
{
    if (!std::isfinite(date) || date < kFirstValue || date >= kLastValue + 1)
        return false;
    n = static_cast<long long>(std::floor(date));
    return true;
}

long long ValueOf(int year, int month, int day)
{
    const QDate first(year, month, 1);
    return first.isValid() ? first.toJulianDay() - kJulianDayOfZero + day - 1 : 0;
}

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Leap years from year 1 (or back to 0 for earlier years) up to y.
long long LeapYearsUpTo(long long y) { return FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400); }

// Day of month of the n-th weekday, from the weekday of the 1st.
int NthWeekdayDay(int weekdayOfFirst, int n, int weekday)
{
    return weekday >= weekdayOfFirst ? (n - 1) * 7 + weekday - weekdayOfFirst + 1
                                     : n * 7 + weekday - weekdayOfFirst + 1;
}

// The n-th Monday is the Monday in days (n - 1) * 7 + 1 .. n * 7.
bool IsNthMonday(const Ymd &d, int n) { return d.weekday == 2 && (d.day - 1) / 7 == n - 1; }

int EquinoxDay(int year, double base)
{
    return static_cast<int>(std::trunc((year - 1940) * 0.2421904 + base - (LeapYearCount(1940, year) - 1)));
}

const QString &Name(const char16_t *text)
{
    // Names are shared, so handing one out never allocates.
    static thread_local QHash<const char16_t *, QString> names;
    auto it = names.find(text);
    if (it == names.end())
        it = names.insert(text, QString::fromUtf16(text));
    return *it;
}

// The law's table.  2021 follows the special law for the postponed Olympic
// Games: Marine Day on 22 July, Sports Day on 23 July and Mountain Day on
// 8 August, none on their usual days.
const char16_t *NationalHolidayName(const Ymd &d)
{
    const int y = d.year, day = d.day;
    switch (d.month) {
    case 1:
        if (y >= 1948 && day == 1)
            return u"元日";
        if ((y >= 1948 && y <= 1999 && day == 15) || (y >= 2000 && IsNthMonday(d, 2)))
            return u"成人の日";
        break;
    case 2:
        if (y >= 1967 && day == 11)
            return u"建国記念の日";
        if (y >= 2020 && day == 23)
            return u"天皇誕生日";
        if (y == 1989 && day == 24)
            return u"昭和天皇の大喪の礼";
        break;
    case 3:
        if (y >= 1949 && day == EquinoxDay(y, 21.147))
            return u"春分の日";
        break;
    case 4:
        if (day == 29) {
            if (y >= 1948 && y <= 1988)
                return u"天皇誕生日";
            if (y >= 1989 && y <= 2006)
                return u"みどりの日";
            if (y >= 2007)
                return u"昭和の日";
        }
        if (y == 1959 && day == 10)
            return u"皇太子明仁親王の結婚の儀";
        break;
    case 5:
        if (y == 2019 && day == 1)
            return u"天皇の即位";
        if (y >= 1948 && day == 3)
            return u"憲法記念日";
        if (y >= 2007 && day == 4)
            return u"みどりの日";
        if (y >= 1948 && day == 5)
            return u"こどもの日";
        break;
    case 6:
        if (y == 1993 && day == 9)
            return u"皇太子徳仁親王の結婚の儀";
        break;
    case 7:
        if ((y >= 1996 && y <= 2002 && day == 20) || (y == 2020 && day == 23) || (y == 2021 && day == 22) ||
            (y >= 2003 && y != 2020 && y != 2021 && IsNthMonday(d, 3)))
            return u"海の日";
        if ((y == 2020 && day == 24) || (y == 2021 && day == 23))
            return u"スポーツの日";
        break;
    case 8:
        if ((y >= 2016 && y != 2020 && y != 2021 && day == 11) || (y == 2020 && day == 10) ||
            (y == 2021 && day == 8))
            return u"山の日";
        break;
    case 9:
        if ((y >= 1966 && y <= 2002 && day == 15) || (y >= 2003 && IsNthMonday(d, 3)))
            return u"敬老の日";
        if (y >= 1948 && day == (y == 1979 ? 24 : EquinoxDay(y, 23.5412)))
            return u"秋分の日";
        break;
    case 10:
        if (y >= 1966 && y <= 1999 && day == 10)
            return u"体育の日";
        if (y == 2019 && day == 22)
            return u"即位礼正殿の儀";
        if (y >= 2000 && y != 2020 && y != 2021 && IsNthMonday(d, 2))
            return y < 2020 ? u"体育の日" : u"スポーツの日";
        break;
    case 11:
        if (y >= 1948 && day == 3)
            return u"文化の日";
        if (y >= 1948 && day == 23)
            return u"勤労感謝の日";
        if (y == 1990 && day == 12)
            return u"即位礼正殿の儀";
        break;
    case 12:
        if (y >= 1989 && y <= 2018 && day == 23)
            return u"天皇誕生日";
        break;
    }
    return nullptr;
}

const char16_t *NationalOn(long long n)
{
    Ymd d;
    return Split(n, d) ? NationalHolidayName(d) : nullptr;
}

// Rules 2 to 4 look at national holidays only.
const char16_t *HolidayName(long long n)
{
    Ymd d;
    if (!Split(n, d))
        return nullptr;
    if (const char16_t *name = NationalHolidayName(d))
        return name;
    if (d.year < 1973)
        return nullptr;
    static const long long substituteFrom = ValueOf(1973, 4, 12);
    static const long long citizensFrom = ValueOf(1988, 5, 4);
    static const long long laterSubstituteFrom = ValueOf(2008, 5, 6);
    if (n >= substituteFrom && d.weekday == 2 && NationalOn(n - 1))
        return u"振替休日";
    if (n >= citizensFrom && d.weekday != 1 && NationalOn(n - 1) && NationalOn(n + 1))
        return u"国民の休日";
    if (n >= laterSubstituteFrom && d.weekday != 1) {
        if (!NationalOn(n - (d.weekday - 1)))
            return nullptr;
        for (int k = 1; k <= d.weekday - 2; ++k)
            if (!NationalOn(n - k))
                return nullptr;
        return u"振替休日";
    }
    return nullptr;
}

// A listed day named plainly "休日" is a substitute or citizens' holiday.
bool IsGenericRestDay(const QString &name) { return name == u"休日"; }
// "休日" and "休日（祝日扱い）" give no name of their own; the rules' name, where
// the rules know the day, tells the user more.
bool IsGenericName(const QString &name) { return name.startsWith(u"休日"); }

THolidayList &ListInUse()
{
    static THolidayList list;
    return list;
}

} // namespace

bool IsNationalHoliday(const THolidayList &list, TDateValue date, QString &name)
{
    long long n;
    if (!DayNumber(date, n)) {
        name.clear();
        return false;
    }
    if (!list.Empty() && list.Covers(n)) {
        const QString *listed = list.Find(n);
        if (!listed || IsGenericRestDay(*listed)) {
            name.clear();
            return false;
        }
        name = *listed;
        return true;
    }
    const char16_t *text = NationalOn(n);
    name = text ? Name(text) : QString();
    return text != nullptr;
}

bool IsNationalHoliday(const THolidayList &list, TDateValue date)
{
    long long n;
    if (!DayNumber(date, n))
        return false;
    if (!list.Empty() && list.Covers(n)) {
        const QString *listed = list.Find(n);
        return listed && !IsGenericRestDay(*listed);
    }
    return NationalOn(n);
}

bool IsHoliday(const THolidayList &list, TDateValue date, QString &name)
{
    long long n;
    if (!DayNumber(date, n)) {
        name.clear();
        return false;
    }
    if (!list.Empty() && list.Covers(n)) {
        const QString *listed = list.Find(n);
        if (!listed) {
            name.clear();
            return false;
        }
        const char16_t *ruled = IsGenericName(*listed) ? HolidayName(n) : nullptr;
        name = ruled ? Name(ruled) : *listed;
        return true;
    }
    const char16_t *text = HolidayName(n);
    name = text ? Name(text) : QString();
    return text != nullptr;
}

bool IsHoliday(const THolidayList &list, TDateValue date)
{
    long long n;
    if (!DayNumber(date, n))
        return false;
    if (!list.Empty() && list.Covers(n))
        return list.Find(n) != nullptr;
    return HolidayName(n);
}

bool IsNationalHoliday(TDateValue date, QString &name) { return IsNationalHoliday(ListInUse(), date, name); }
bool IsNationalHoliday(TDateValue date) { return IsNationalHoliday(ListInUse(), date); }
bool IsHoliday(TDateValue date, QString &name) { return IsHoliday(ListInUse(), date, name); }
bool IsHoliday(TDateValue date) { return IsHoliday(ListInUse(), date); }
const THolidayList &HolidayListInUse() { return ListInUse(); }
void UseHolidayList(THolidayList list) { ListInUse() = std::move(list); }

TDateValue NthWeekday(int year, int month, int n, int weekday)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return 0;
    const int weekdayOfFirst = first.dayOfWeek() % 7 + 1;
    return static_cast<TDateValue>(first.toJulianDay() - kJulianDayOfZero +
                                   NthWeekdayDay(weekdayOfFirst, n, weekday) - 1);
}

int LeapYearCount(int firstYear, int lastYear)
{
    if (lastYear < firstYear)
        return 0;
    return static_cast<int>(LeapYearsUpTo(lastYear) - LeapYearsUpTo(static_cast<long long>(firstYear) - 1));
}

TDateValue VernalEquinoxDay(int year)
{
    return static_cast<TDateValue>(ValueOf(year, 3, EquinoxDay(year, 21.147)));
}

TDateValue AutumnalEquinoxDay(int year)
{
    const int day = year == 1979 ? 24 : EquinoxDay(year, 23.5412);
    return static_cast<TDateValue>(ValueOf(year, 9, day));
}

} // namespace tamarie
