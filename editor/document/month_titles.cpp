#include "month_titles.h"

namespace tamarie {

namespace {
QString U(const char *s)
{
    return QString::fromUtf8(s);
}

QString Quoted(const QString &s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// The text of style 0..6 for a year and month given as texts; the era part
// comes from the numeric values.
QString StyleText(int style, const QString &y, const QString &m, int year, int month)
{
    switch (style) {
    case 1: return y + QLatin1Char('/') + m;
    case 2: return m + U("月");
    case 3: return m;
    case 4: return EnglishMonthName(month) + QLatin1Char(' ') + y;
    case 5: return EnglishMonthName(month);
    case 6: return EraYearOfMonth(year, month) + m + U("月");
    default: return y + U("年") + m + U("月");
    }
}

bool ParsePositive(const QString &text, int &value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok, 10);
    return ok;
}
} // namespace

QStringList MonthStyleCaptions()
{
    return {U("yyyy年m月"), U("yyyy/m"), U("m月"), U("m"), U("英語(年あり)"), U("英語(月のみ)"), U("和暦")};
}

QString EnglishMonthName(int month)
{
    static const char *const kNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    if (month < 1 || month > 12)
        return {};
    return QString::fromLatin1(kNames[month - 1]);
}

const std::array<TEra, 5> &EraTable()
{
    static const std::array<TEra, 5> kEras = {{
        {"令和", 2019, 5},
        {"平成", 1989, 1},
        {"昭和", 1926, 12},
        {"大正", 1912, 7},
        {"明治", 1868, 1},
    }};
    return kEras;
}

std::array<QDate, 5> EraStartDates()
{
    std::array<QDate, 5> dates;
    for (std::size_t i = 0; i < dates.size(); ++i)
        dates[i] = QDate(EraTable()[i].StartYear, EraTable()[i].StartMonth, 1);
    return dates;
}

QString EraYearOfMonth(int year, int month)
{
    // Eras start on the 1st of a month, so comparing (year, month) is
    // comparing the month's first day with the start date.
    for (const TEra &era : EraTable()) {
        if (year > era.StartYear || (year == era.StartYear && month >= era.StartMonth))
            return U(era.Name) + QString::number(static_cast<long long>(year) - era.StartYear + 1) + U("年");
    }
    return {};
}

QString GetEraYear(const QDate &D)
{
    if (!D.isValid())
        return {};
    return EraYearOfMonth(D.year(), D.month());
}

QString GetEraYear(TDateValue D)
{
    return GetEraYear(ValueToDate(D));
}

QString MonthTitleText(int style, int year, int month)
{
    return StyleText(style, QString::number(year), QString::number(month), year, month);
}

bool MonthSampleInputAccepted(const QString &yearText, const QString &monthText)
{
    int year = 0, month = 0;
    return ParsePositive(yearText, year) && year > 0 && ParsePositive(monthText, month) && month >= 1 &&
           month <= 12;
}

QStringList MonthStyleSamples(const QString &yearText, const QString &monthText)
{
    int year = 0, month = 0;
    ParsePositive(yearText, year);
    ParsePositive(monthText, month);
    QStringList samples;
    for (int style = 0; style < kMonthStyleCount; ++style)
        samples << Quoted(StyleText(style, yearText, monthText, year, month));
    return samples;
}

} // namespace tamarie
