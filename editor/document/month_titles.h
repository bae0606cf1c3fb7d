#pragma once
// Month titles in the seven styles and their live samples, with the Japanese
// eras counted in whole months.
#include "platform/values.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

namespace tamarie {

constexpr int kMonthStyleCount = 7;

// Design captions of the seven styles.
QStringList MonthStyleCaptions();
// "January" .. "December"; "" outside 1..12.
QString EnglishMonthName(int month);

struct TEra {
    const char *Name; // UTF-8
    int StartYear;
    int StartMonth; // the era starts on day 1 of this month
};
// Newest first: 令和 2019-05, 平成 1989-01, 昭和 1926-12, 大正 1912-07, 明治 1868-01.
const std::array<TEra, 5> &EraTable();
// The same start dates as dates (the order of EraTable).
std::array<QDate, 5> EraStartDates();

// Era name + year number + "年"; "" before 1868-01-01 or for an invalid date.
QString GetEraYear(const QDate &D);
QString GetEraYear(TDateValue D);
// The same for the month (year, month) as whole numbers, any year.
QString EraYearOfMonth(int year, int month);

// Title of a calendar showing (year, month) in style 0..6; an unknown style
// falls back to style 0.
QString MonthTitleText(int style, int year, int month);

// Whether the typed year and month allow the samples to be rewritten: a year
// above 0 and a month 1..12.
bool MonthSampleInputAccepted(const QString &yearText, const QString &monthText);
// The seven sample captions for the texts as typed ("05" stays "05"), each in
// ASCII double quotes.  The inputs must have been accepted.
QStringList MonthStyleSamples(const QString &yearText, const QString &monthText);

} // namespace tamarie
