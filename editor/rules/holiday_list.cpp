#include "holiday_list.h"

#include "regular_file.h"
#include "text_codec.h"
#include "values.h"

#include <QDate>
#include <QStringList>

#include <algorithm>

namespace tamarie {

namespace {

const QString kHeader = QStringLiteral("国民の祝日・休日月日,国民の祝日・休日名称");

long long DayNumberOf(const QDate &d) { return static_cast<long long>(DateToValue(d)); }

THolidayListRead Damaged(const QString &why) { return {std::nullopt, why}; }

// "yyyy/M/d" (leading zeros allowed), a real date of years 1 to 9999.
QDate ParseDate(QStringView text)
{
    const auto parts = text.split(u'/');
    if (parts.size() != 3)
        return {};
    int v[3];
    for (int i = 0; i < 3; ++i) {
        const QStringView p = parts[i].trimmed();
        if (p.isEmpty() || p.size() > (i == 0 ? 4 : 2))
            return {};
        for (QChar c : p)
            if (c < u'0' || c > u'9')
                return {};
        v[i] = p.toInt();
    }
    return v[0] >= 1 ? QDate(v[0], v[1], v[2]) : QDate();
}

} // namespace

bool THolidayList::Add(long long dayNumber, int year, const QString &name)
{
    if (!days_.emplace(dayNumber, name).second)
        return false;
    const long long first = DayNumberOf(QDate(year, 1, 1));
    const long long last = DayNumberOf(QDate(year, 12, 31));
    if (Covers(dayNumber))
        return true;
    years_.emplace_back(first, last);
    // Keep few ranges: adjacent years merge, so a list of 1955-2027 is one range.
    std::sort(years_.begin(), years_.end());
    std::vector<std::pair<long long, long long>> merged;
    for (const auto &r : years_) {
        if (!merged.empty() && r.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    years_ = std::move(merged);
    return true;
}

THolidayListRead ParseHolidayList(const QByteArray &cp932)
{
    if (cp932.size() > kHolidayListMaxBytes)
        return Damaged(QStringLiteral("ファイルが大きすぎます"));
    const QString text = DecodeText(cp932).text;
    const QStringList lines = text.split(u'\n');
    THolidayList list;
    bool header = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString where = QStringLiteral("%1 行目").arg(i + 1);
        for (QChar c : line)
            if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF)
                return Damaged(where + QStringLiteral("の文字が読めません"));
        if (line.trimmed().isEmpty())
            continue;
        if (!header) {
            if (line.trimmed() != kHeader)
                return Damaged(QStringLiteral("先頭行が「%1」ではありません").arg(kHeader));
            header = true;
            continue;
        }
        const qsizetype comma = line.indexOf(u',');
        const QString name = comma < 0 ? QString() : line.mid(comma + 1).trimmed();
        const QDate date = comma < 0 ? QDate() : ParseDate(QStringView(line).left(comma));
        if (!date.isValid())
            return Damaged(where + QStringLiteral("の日付が正しくありません"));
        if (name.isEmpty() || name.contains(u','))
            return Damaged(where + QStringLiteral("の祝日名が正しくありません"));
        if (!list.Add(DayNumberOf(date), date.year(), name))
            return Damaged(where + QStringLiteral("の日付は二度目です"));
    }
    if (!header)
        return Damaged(QStringLiteral("先頭行が「%1」ではありません").arg(kHeader));
    if (list.Empty())
        return Damaged(QStringLiteral("祝日が一つもありません"));
    return {std::move(list), QString()};
}

THolidayListRead ReadHolidayListFile(const QString &path)
{
    const RegularFileContent read = ReadRegularFile(path, kHolidayListMaxBytes);
    if (const auto refused = ReadRefusalText(read))
        return read.result.status == RegularFileStatus::Missing ? THolidayListRead{} : Damaged(*refused);
    return ParseHolidayList(read.bytes);
}

} // namespace tamarie
