#pragma once
// Japanese public holidays: national holidays of the holiday law (with the
// one-off ceremonial days), substitute holidays and citizens' holidays.
// Pure functions on date values; weekdays here run 1 = Sunday .. 7 = Saturday.
#include "values.h"

#include <QString>

namespace tamarie {

// National, substitute or citizens' holiday; name is always set (empty when false).
bool IsHoliday(TDateValue date, QString &name);
bool IsHoliday(TDateValue date);
// A national holiday of the law's table; name is always set.
bool IsNationalHoliday(TDateValue date, QString &name);
bool IsNationalHoliday(TDateValue date);

// Date of the n-th given weekday (1 = Sunday .. 7 = Saturday) of the month.
TDateValue NthWeekday(int year, int month, int n, int weekday);
// Leap years from first to last, both included; 0 when last < first.
int LeapYearCount(int firstYear, int lastYear);
TDateValue VernalEquinoxDay(int year);
TDateValue AutumnalEquinoxDay(int year);

} // namespace tamarie
