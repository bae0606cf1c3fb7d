#include "koyomi_day.h"

#include "almanac.h"
#include "holidays.h"
#include "text_codec.h"
#include "values.h"

namespace tamarie::koyomi {

namespace {

const char16_t *const kWeekdays[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

// The library hands out Shift-JIS in its own buffer; copy it out at once.
QString FromLibrary(const char *text)
{
    return text ? DecodeCp932(text, static_cast<qsizetype>(std::strlen(text))) : QString();
}

} // namespace

DayLine LookUp(const QDate &date)
{
    DayLine line;
    line.date = date;
    line.weekday = QString::fromUtf16(kWeekdays[date.dayOfWeek() % 7]);
    IsHoliday(DateToValue(date), line.holidayName);

    int solarMonth = 0;
    int rokuyo = -1;
    SetdataDll(0.0, 0.0, 0.0, date.year(), date.month(), date.day(), &solarMonth);
    const char *rokuyoText = RokuyoDll(&line.oldMonth, &line.oldDay, &rokuyo);
    if (rokuyo >= 0 && rokuyo <= 5)
        line.rokuyo = FromLibrary(rokuyoText);

    int code = 27;
    double hour = 0, longitude = 0;
    SetdataDll(0.0, 0.0, 0.0, date.year(), date.month(), date.day(), &solarMonth);
    const char *sekkiText = SekkiDll(&code, &hour, &longitude);
    if (code >= 0 && code <= 26)
        line.sekki = FromLibrary(sekkiText);
    return line;
}

QString FormatDate(const QDate &date)
{
    return QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

QString FormatOldMonth(int oldMonth)
{
    if (oldMonth == 0)
        return QString();
    return oldMonth < 0 ? QStringLiteral("閏") + QString::number(-oldMonth) : QString::number(oldMonth);
}

QString Header()
{
    return QStringLiteral("日付\t曜日\t祝日\t旧暦月\t旧暦日\t六曜\t節気");
}

QString Format(const DayLine &line)
{
    return FormatDate(line.date) + u'\t' + line.weekday + u'\t' + line.holidayName + u'\t' +
           FormatOldMonth(line.oldMonth) + u'\t' + (line.oldMonth ? QString::number(line.oldDay) : QString()) +
           u'\t' + line.rokuyo + u'\t' + line.sekki;
}

} // namespace tamarie::koyomi
