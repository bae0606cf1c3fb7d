#pragma once
// The Cabinet Office's published list of national holidays (syukujitsu.csv):
// code page 932, the header "国民の祝日・休日月日,国民の祝日・休日名称", then
// one "yyyy/M/d,name" line per holiday.  For every year it names a day in, the
// list decides the holidays; the computed rules keep the other years.
#include <QByteArray>
#include <QString>

#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tamarie {

// The usual file name, looked for in the per-user data folder.
inline constexpr char16_t kHolidayListFileName[] = u"syukujitsu.csv";
// Real lists are about 20 KB; anything much larger is not one.
inline constexpr qint64 kHolidayListMaxBytes = 1024 * 1024;

class THolidayList {
public:
    bool Empty() const { return days_.empty(); }
    // Whether the list decides the year of this day number (days since 1899-12-30).
    bool Covers(long long dayNumber) const
    {
        for (const auto &[first, last] : years_)
            if (dayNumber >= first && dayNumber <= last)
                return true;
        return false;
    }
    // The listed name of the day, or nullptr.
    const QString *Find(long long dayNumber) const
    {
        const auto it = days_.find(dayNumber);
        return it == days_.end() ? nullptr : &it->second;
    }
    int Size() const { return static_cast<int>(days_.size()); }

    // Adds a day; false when the day is listed already.
    bool Add(long long dayNumber, int year, const QString &name);

private:
    std::unordered_map<long long, QString> days_;
    std::vector<std::pair<long long, long long>> years_; // merged day-number ranges of whole years
};

struct THolidayListRead {
    std::optional<THolidayList> list; // nothing when absent or damaged
    QString error;                    // why a present file is not used; empty otherwise
};

// Parses the whole file, or nothing at all: any damaged line rejects it.
THolidayListRead ParseHolidayList(const QByteArray &cp932);
// A missing file is no error; an unreadable, oversized or damaged one is.
THolidayListRead ReadHolidayListFile(const QString &path);

} // namespace tamarie
