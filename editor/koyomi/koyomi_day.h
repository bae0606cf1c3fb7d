#pragma once
// One line of the almanac listing: the holiday rules and the almanac library
// asked exactly as a day cell asks them.
#include <QDate>
#include <QString>

namespace tamarie::koyomi {

struct DayLine {
    QDate date;
    QString weekday;      // "日" .. "土"
    QString holidayName;  // national, substitute or citizens' holiday; empty when none
    int oldMonth = 0;     // negative for a leap month; 0 when the library numbered none
    int oldDay = 0;
    QString rokuyo;       // empty for an index outside 0..5
    QString sekki;        // solar term or seasonal day; empty on other days
};

DayLine LookUp(const QDate &date);

QString Header();
QString Format(const DayLine &line);   // tab-separated, no line end
QString FormatOldMonth(int oldMonth);  // "6", "閏6", or empty
QString FormatDate(const QDate &date); // yyyy-mm-dd

} // namespace tamarie::koyomi
