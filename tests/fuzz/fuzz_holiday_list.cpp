// The published holiday list (syukujitsu.csv) read from arbitrary bytes: no
// crash, no hang, no allocation beyond the bounded file; a list is taken
// whole or refused with a reason, and in every year it covers, the list alone
// decides the holidays.  The first byte chooses whether a valid header (in
// code page 932 or UTF-8) goes before the rest, so the lines behind it are
// explored too.
#include "holiday_list.h"
#include "holidays.h"
#include "text_codec.h"

#include <QDate>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace tamarie;

namespace {
void Check(bool ok)
{
    if (!ok)
        std::abort();
}

const QString kHeader = QStringLiteral("国民の祝日・休日月日,国民の祝日・休日名称\r\n");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    QByteArray bytes(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    if (data[0] % 3 == 1)
        bytes.prepend(*EncodeCp932(kHeader));
    else if (data[0] % 3 == 2)
        bytes.prepend(kHeader.toUtf8());

    const THolidayListRead read = ParseHolidayList(bytes);
    Check(read.list.has_value() == read.error.isEmpty());
    if (!read.list)
        return 0;
    const THolidayList &list = *read.list;
    const QStringList lines = DecodeText(bytes).text.split(u'\n');
    Check(!list.Empty() && list.Size() < lines.size());

    // Each holiday line is in the list under its name.
    QDate first;
    for (const QString &line : lines) {
        const qsizetype comma = line.indexOf(u',');
        const QDate date = QDate::fromString(line.left(comma).trimmed(), QStringLiteral("yyyy/M/d"));
        if (comma < 0 || !date.isValid())
            continue;
        const long long day = static_cast<long long>(DateToValue(date));
        const QString *name = list.Find(day);
        Check(name && *name == line.mid(comma + 1).trimmed() && list.Covers(day));
        if (!first.isValid())
            first = date;
    }
    // In a year the list covers, its days and no others are holidays.
    if (first.isValid())
        for (QDate d(first.year(), 1, 1); d.year() == first.year(); d = d.addDays(1)) {
            const TDateValue v = DateToValue(d);
            Check(list.Covers(static_cast<long long>(v)));
            Check(IsHoliday(list, v) == (list.Find(static_cast<long long>(v)) != nullptr));
        }
    return 0;
}
