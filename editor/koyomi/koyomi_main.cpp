// tamarie-koyomi: the holidays, old calendar, rokuyo and solar terms of a
// date, a month, a year or a range, one tab-separated line per day, computed
// exactly as the calendar's day cells compute them.
#include "data_folder.h"
#include "holiday_list.h"
#include "holidays.h"
#include "ical_schedules.h"
#include "koyomi_args.h"
#include "koyomi_day.h"
#include "values.h"

#include <QStringList>

#include <cstdio>

using namespace tamarie;

namespace {

void Put(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const koyomi::Request request = koyomi::ParseArguments(args);
    if (request.help) {
        std::fputs(koyomi::Usage().toUtf8().constData(), stdout);
        return 0;
    }
    if (!request.error.isEmpty()) {
        std::fprintf(stderr, "tamarie-koyomi: %s\n%s", request.error.toUtf8().constData(),
                     koyomi::Usage().toUtf8().constData());
        return 2;
    }
    // The published list given, or the one the editor reads; a damaged one is
    // reported and the rules decide, as in the editor.
    const QString listPath = request.holidayList.isEmpty()
                                 ? DataFolder() + u'/' + QString::fromUtf16(kHolidayListFileName)
                                 : request.holidayList;
    THolidayListRead list = ReadHolidayListFile(listPath);
    if (!request.holidayList.isEmpty() && !list.list && list.error.isEmpty())
        list.error = QStringLiteral("ファイルが見つかりません");
    if (!list.error.isEmpty())
        std::fprintf(stderr, "tamarie-koyomi: 祝日一覧 %s を使えません(%s)。祝日は計算で求めます。\n",
                     listPath.toUtf8().constData(), list.error.toUtf8().constData());
    if (list.list)
        UseHolidayList(std::move(*list.list));

    if (!request.ics.isEmpty()) {
        const TIcsRead ics = ReadIcsFile(request.ics, request.from, request.to);
        if (!ics.error.isEmpty()) {
            std::fprintf(stderr, "tamarie-koyomi: %s を読み込めません(%s)\n", request.ics.toUtf8().constData(),
                         ics.error.toUtf8().constData());
            return 1;
        }
        Put(koyomi::Header() + QStringLiteral("\t予定"));
        QString line; // of the day before: days come in order, a date's events together
        QDate lineDate;
        for (const TIcsDay &day : ics.days) {
            if (request.rangeGiven && (day.date < request.from || day.date > request.to))
                continue;
            if (day.date != lineDate) {
                lineDate = day.date;
                line = koyomi::Format(koyomi::LookUp(day.date));
            }
            Put(line + u'\t' + day.text);
        }
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }

    if (!request.holidaysOnly)
        Put(koyomi::Header());
    for (QDate d = request.from; d.isValid() && d <= request.to; d = d.addDays(1)) {
        if (request.holidaysOnly) {
            QString name;
            if (IsHoliday(DateToValue(d), name))
                Put(koyomi::FormatDate(d) + u'\t' + name);
        } else {
            Put(koyomi::Format(koyomi::LookUp(d)));
        }
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
