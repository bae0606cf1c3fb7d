// tamarie-koyomi: the holidays, old calendar, rokuyo and solar terms of a
// date, a month, a year or a range, one tab-separated line per day, computed
// exactly as the calendar's day cells compute them.
#include "holidays.h"
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
