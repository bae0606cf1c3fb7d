#pragma once
// Japanese public holidays: national holidays of the holiday law (with the
// one-off ceremonial days), substitute holidays and citizens' holidays.
// Pure functions on date values; weekdays here run 1 = Sunday .. 7 = Saturday.
// A published holiday list, when given, decides the years it covers.
#include "holiday_list.h"
#include "values.h"

#include <QString>

namespace tamarie {

// National, substitute or citizens' holiday; name is always set (empty when false).
// In a year the list covers, the list's days are the holidays; its generic
// "休日" names keep the rules' name ("振替休日", "国民の休日", ...) where the
// rules have a holiday too.
bool IsHoliday(const THolidayList &list, TDateValue date, QString &name);
bool IsHoliday(const THolidayList &list, TDateValue date);
// A national holiday of the law's table (in covered years: a listed day not
// named plainly "休日"); name is always set.
bool IsNationalHoliday(const THolidayList &list, TDateValue date, QString &name);
bool IsNationalHoliday(const THolidayList &list, TDateValue date);

// The same with the list the program uses: the user's published list read at
// start-up, or none (the rules alone).  Every day cell, the schedule panel and
// the koyomi command ask through these, so they always agree.
bool IsHoliday(TDateValue date, QString &name);
bool IsHoliday(TDateValue date);
bool IsNationalHoliday(TDateValue date, QString &name);
bool IsNationalHoliday(TDateValue date);
const THolidayList &HolidayListInUse();
void UseHolidayList(THolidayList list);

// Date of the n-th given weekday (1 = Sunday .. 7 = Saturday) of the month.
TDateValue NthWeekday(int year, int month, int n, int weekday);
// Leap years from first to last, both included; 0 when last < first.
int LeapYearCount(int firstYear, int lastYear);
TDateValue VernalEquinoxDay(int year);
TDateValue AutumnalEquinoxDay(int year);

} // namespace tamarie
