#include "day_data.h"

#include "dialogs.h"
#include "holidays.h"
#include "ini_file.h"
#include "ini_update.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

namespace tamarie {

namespace {

const QString kSchedule = QStringLiteral("Schedule");
const QString kScheduleDate = QStringLiteral("ScheduleDate");
const QString kScheduleStr = QStringLiteral("ScheduleStr");
const QString kScheduleMarkNo = QStringLiteral("ScheduleMarkNo");
const QString kCalendar = QStringLiteral("Calendar");
const QString kPersonal = QStringLiteral("PersonalHolidayValue");
const QString kPersonalDate = QStringLiteral("PersonalHolidayValueDate");
const QString kCount = QStringLiteral("Count");

// Entry numbers: plain decimal without leading zeros, as written.
std::optional<int> EntryNumber(const QString &key)
{
    if (key.isEmpty() || key.size() > 10 || (key.size() > 1 && key[0] == u'0'))
        return std::nullopt;
    long long v = 0;
    for (QChar c : key) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    if (v > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(v);
}

// The entry numbers the file actually holds in any of the given sections.
// A count that parses is honoured (entries below it), so a damaged count
// (huge, or past the entries) never makes up entries that are not there and
// nothing allocates by it.  A count that is missing, negative or unreadable
// takes the entries present in a row from 0: every entry there is read, so
// the next store, which writes 0 to the count less one, overwrites none.
std::vector<int> EntriesHeld(const IniFile &ini, const QString &countSection,
                             std::initializer_list<QString> sections)
{
    // Negative when the file gives no usable count.
    const std::int32_t count =
        ini.ValueExists(countSection, kCount) ? ParseIniInteger(ini.ReadString(countSection, kCount)).value_or(-1) : -1;
    std::set<int> held;
    for (const QString &section : sections)
        for (const QString &key : ini.Keys(section))
            if (const auto n = EntryNumber(key); n && (count < 0 || *n < count))
                held.insert(*n);
    if (count >= 0)
        return {held.begin(), held.end()};
    std::vector<int> inARow;
    for (int n = 0; held.count(n); ++n)
        inARow.push_back(n);
    return inARow;
}


} // namespace

// ---- weekday rules ----------------------------------------------------------

int WeekdayIndex(TDateValue date)
{
    const QDate d = ValueToDate(date);
    return d.isValid() ? d.dayOfWeek() % 7 : -1;
}

int WeekOfMonthIndex(TDateValue date)
{
    const QDate d = ValueToDate(date);
    return d.isValid() ? (d.day() - 1) / 7 : -1;
}

TWeekdayRuleFacts WeekdayRuleFacts(const THolidayWeekdays &w, int weekday, int day)
{
    TWeekdayRuleFacts f;
    if (weekday < 0 || weekday > 6)
        return f;
    const auto wd = static_cast<std::size_t>(weekday);
    f.everyWeek = w.HolidayOfWeek[wd];
    if (day >= 1 && day <= 35 && w.HolidayOfWeekPartOf[wd])
        f.nthWeek = w.HolidayOfWeekNumberOf[static_cast<std::size_t>((day - 1) / 7)];
    return f;
}

namespace {
TWeekdayRuleFacts FactsOfDate(const THolidayWeekdays &w, TDateValue date)
{
    const QDate d = ValueToDate(date);
    return d.isValid() ? WeekdayRuleFacts(w, d.dayOfWeek() % 7, d.day()) : TWeekdayRuleFacts{};
}
} // namespace

bool IsEveryWeekHoliday(const THolidayWeekdays &w, TDateValue date) { return FactsOfDate(w, date).everyWeek; }

bool IsNthWeekHoliday(const THolidayWeekdays &w, TDateValue date) { return FactsOfDate(w, date).nthWeek; }

bool IsWeekdayRuleHoliday(const THolidayWeekdays &w, TDateValue date)
{
    return IsEveryWeekHoliday(w, date) || IsNthWeekHoliday(w, date);
}

// ---- look-ups ----------------------------------------------------------------

const TSchedule *TDayData::ScheduleOfDate(TDateValue date) const
{
    const auto it = scheduleIndex_.find(date);
    return it == scheduleIndex_.end() ? nullptr : &schedule_[static_cast<std::size_t>(it->second)];
}

const TPersonalHoliday *TDayData::PersonalHolidayOfDate(TDateValue date) const
{
    const auto it = personalIndex_.find(date);
    return it == personalIndex_.end() ? nullptr : &personal_[static_cast<std::size_t>(it->second)];
}

TDayLookup TDayData::LookupDay(TDateValue date) const
{
    TDayLookup r;
    const TWeekdayRuleFacts facts = FactsOfDate(Weekdays, date);
    r.everyWeek = facts.everyWeek;
    r.nthWeek = facts.nthWeek;
    r.national = IsHoliday(date, r.holidayName);
    r.personal = PersonalHolidayOfDate(date);
    r.schedule = ScheduleOfDate(date);
    r.holiday = r.personal ? r.personal->Value : (r.everyWeek || r.nthWeek || r.national);
    return r;
}

bool TDayData::IsHolidayOfDate(TDateValue date) const
{
    if (const TPersonalHoliday *p = PersonalHolidayOfDate(date))
        return p->Value;
    return IsWeekdayRuleHoliday(Weekdays, date) || IsHoliday(date);
}

// ---- stores -------------------------------------------------------------------

namespace {
template <class Entry> void Pend(std::vector<Entry> &pending, const Entry &entry)
{
    for (Entry &p : pending)
        if (p.Date == entry.Date) {
            p = entry;
            return;
        }
    pending.push_back(entry);
}
} // namespace

int TDayData::StoreSchedule(TDateValue date, const QString &str, std::int32_t markNo)
{
    std::erase(removedSchedules_, date);
    Pend(pendingSchedules_, TSchedule{date, str, markNo});
    if (const auto it = scheduleIndex_.find(date); it != scheduleIndex_.end()) {
        TSchedule &s = schedule_[static_cast<std::size_t>(it->second)];
        s.Str = str;
        s.MarkNo = markNo;
        return it->second;
    }
    const int index = static_cast<int>(schedule_.size());
    schedule_.push_back(TSchedule{date, str, markNo});
    if (!std::isnan(date))
        scheduleIndex_.emplace(date, index);
    return index;
}

int TDayData::StorePersonalHoliday(TDateValue date, bool value)
{
    std::erase(removedPersonal_, date);
    Pend(pendingPersonal_, TPersonalHoliday{date, value});
    if (const auto it = personalIndex_.find(date); it != personalIndex_.end()) {
        personal_[static_cast<std::size_t>(it->second)].Value = value;
        return it->second;
    }
    const int index = static_cast<int>(personal_.size());
    personal_.push_back(TPersonalHoliday{date, value});
    if (!std::isnan(date))
        personalIndex_.emplace(date, index);
    return index;
}

namespace {

template <typename Entry>
void RemoveEntryOf(std::vector<Entry> &entries, std::unordered_map<double, int> &index, TDateValue date)
{
    const auto it = index.find(date);
    if (it == index.end())
        return;
    entries.erase(entries.begin() + it->second);
    index.clear();
    for (std::size_t i = entries.size(); i-- > 0;)
        if (!std::isnan(entries[i].Date))
            index[entries[i].Date] = static_cast<int>(i);  // the first of a date wins
}

// The removal waits like a store; a store of the date still waiting is dropped.
template <class Entry> void PendRemoval(std::vector<Entry> &pending, std::vector<TDateValue> &removals, TDateValue date)
{
    std::erase_if(pending, [date](const Entry &e) { return e.Date == date; });
    if (std::find(removals.begin(), removals.end(), date) == removals.end())
        removals.push_back(date);
}

// The keys of the file's entry of each date removed.
void EraseEntries(IniFile &ini, const std::vector<TDateValue> &removals, const QString &countSection,
                  std::initializer_list<QString> sections, const QString &dateSection)
{
    for (TDateValue date : removals)
        for (int n : EntriesHeld(ini, countSection, sections))
            if (ini.ReadDate(dateSection, QString::number(n), 0) == date) {
                for (const QString &section : sections)
                    ini.EraseKey(section, QString::number(n));
                break;
            }
}

} // namespace

void TDayData::RemoveSchedule(TDateValue date)
{
    PendRemoval(pendingSchedules_, removedSchedules_, date);
    RemoveEntryOf(schedule_, scheduleIndex_, date);
}

void TDayData::RemovePersonalHoliday(TDateValue date)
{
    PendRemoval(pendingPersonal_, removedPersonal_, date);
    RemoveEntryOf(personal_, personalIndex_, date);
}

void TDayData::Clear()
{
    schedule_.clear();
    personal_.clear();
    scheduleIndex_.clear();
    personalIndex_.clear();
    pendingSchedules_.clear();
    pendingPersonal_.clear();
    removedSchedules_.clear();
    removedPersonal_.clear();
    pendingLists_ = {};
    Weekdays = THolidayWeekdays{};
    fileWeekdays_ = Weekdays;
}

// ---- Config.ini -----------------------------------------------------------------

void TDayData::LoadConfig()
{
    if (configPath_.isEmpty() || !QFileInfo::exists(configPath_))
        return;
    const IniFile ini(configPath_);
    configStamp_ = ini.Stamp();
    LoadConfigFrom(ini);
}

void TDayData::LoadConfigFrom(const IniFile &ini)
{
    ReadFrom(ini);
    fileWeekdays_ = Weekdays;
}

void TDayData::ReadFrom(const IniFile &ini)
{
    schedule_.clear();
    scheduleIndex_.clear();
    for (int i : EntriesHeld(ini, kSchedule, {kScheduleDate, kScheduleStr, kScheduleMarkNo})) {
        const QString key = QString::number(i);
        const int index = static_cast<int>(schedule_.size());
        schedule_.push_back(TSchedule{ini.ReadDate(kScheduleDate, key, 0), ini.ReadString(kScheduleStr, key),
                                      ini.ReadInteger(kScheduleMarkNo, key, 0)});
        scheduleIndex_.emplace(schedule_.back().Date, index); // keeps the first of a date
    }

    for (int i = 0; i < 7; ++i) {
        const QString key = QStringLiteral("HolidayOfWeek") + QString::number(i);
        if (ini.ValueExists(kCalendar, key))
            Weekdays.HolidayOfWeek[static_cast<std::size_t>(i)] = ini.ReadBool(kCalendar, key, false);
    }
    for (int i = 0; i < 7; ++i)
        Weekdays.HolidayOfWeekPartOf[static_cast<std::size_t>(i)] =
            ini.ReadBool(kCalendar, QStringLiteral("HolidayOfWeekPartOf") + QString::number(i), false);
    for (int i = 0; i < 5; ++i)
        Weekdays.HolidayOfWeekNumberOf[static_cast<std::size_t>(i)] =
            ini.ReadBool(kCalendar, QStringLiteral("HolidayOfWeekNumberOf") + QString::number(i), false);

    personal_.clear();
    personalIndex_.clear();
    for (int i : EntriesHeld(ini, kPersonal, {kPersonal, kPersonalDate})) {
        const QString key = QString::number(i);
        const int index = static_cast<int>(personal_.size());
        personal_.push_back(TPersonalHoliday{ini.ReadDate(kPersonalDate, key, 0), ini.ReadBool(kPersonal, key, false)});
        personalIndex_.emplace(personal_.back().Date, index);
    }
}

namespace {

// The entry numbers of one list as the file holds them, and the numbers new
// entries take: the one after the highest held, so entries keep the order
// they were first stored in whichever editor stored them; only when that
// would pass the largest count a file can give does a new entry fill the
// lowest free number instead.
class FileEntries {
public:
    FileEntries(const IniFile &ini, const QString &countSection, std::initializer_list<QString> sections,
                const QString &dateSection)
        : countSection_(countSection)
    {
        const std::vector<int> held = EntriesHeld(ini, countSection, sections);
        held_.insert(held.begin(), held.end());
        for (int n : held)
            numberOfDate_.emplace(ini.ReadDate(dateSection, QString::number(n), 0), n); // the first of a date
        if (const auto count = ParseIniInteger(ini.ReadString(countSection, kCount)); count && *count >= 0)
            count_ = *count;
    }

    // The number of the date's entry; a new one for a date not held.
    int NumberOf(TDateValue date, bool *added)
    {
        const auto it = numberOfDate_.find(date);
        *added = it == numberOfDate_.end();
        if (!*added)
            return it->second;
        long long n = held_.empty() ? 0 : *held_.rbegin() + 1LL;
        if (n >= std::numeric_limits<std::int32_t>::max())
            for (n = 0; held_.count(static_cast<int>(n));)
                ++n;
        held_.insert(static_cast<int>(n));
        added_ = true;
        if (!std::isnan(date))
            numberOfDate_.emplace(date, static_cast<int>(n));
        return static_cast<int>(n);
    }

    // The count, written when an added entry reaches past it.
    void WriteCount(IniFile &ini) const
    {
        const long long needed = held_.empty() ? 0 : *held_.rbegin() + 1LL;
        if (added_ && (!count_ || *count_ < needed))
            ini.WriteInteger(countSection_, kCount, static_cast<std::int32_t>(needed));
    }

private:
    QString countSection_;
    bool added_ = false;
    std::set<int> held_;
    std::unordered_map<double, int> numberOfDate_;
    std::optional<long long> count_;
};

template <std::size_t N> void WriteList(IniFile &ini, const char *name, const std::array<bool, N> &list)
{
    for (std::size_t i = 0; i < N; ++i)
        ini.WriteBool(kCalendar, QLatin1String(name) + QString::number(i), list[i]);
}

} // namespace

namespace {
// Numbers first, so the count goes before the entries, as the Windows program
// writes a new file; a date the file holds keeps its entry and its number.
template <class Entry, class WriteValue>
void WriteEntries(IniFile &ini, const std::vector<Entry> &pending, FileEntries entries, const QString &dateSection,
                  WriteValue writeValue)
{
    std::vector<std::pair<int, bool>> numbers; // number, added
    for (const Entry &e : pending) {
        bool added = false;
        numbers.emplace_back(entries.NumberOf(e.Date, &added), added);
    }
    entries.WriteCount(ini);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const QString key = QString::number(numbers[i].first);
        if (numbers[i].second)
            ini.WriteDate(dateSection, key, pending[i].Date);
        writeValue(key, pending[i]);
    }
}
} // namespace

// Only what was stored here goes into the file as it stands.
void TDayData::WritePendingInto(IniFile &ini) const
{
    EraseEntries(ini, removedSchedules_, kSchedule, {kScheduleDate, kScheduleStr, kScheduleMarkNo}, kScheduleDate);
    EraseEntries(ini, removedPersonal_, kPersonal, {kPersonal, kPersonalDate}, kPersonalDate);
    if (!pendingSchedules_.empty())
        WriteEntries(ini, pendingSchedules_,
                     FileEntries(ini, kSchedule, {kScheduleDate, kScheduleStr, kScheduleMarkNo}, kScheduleDate),
                     kScheduleDate, [&ini](const QString &key, const TSchedule &s) {
                         ini.WriteString(kScheduleStr, key, s.Str);
                         ini.WriteInteger(kScheduleMarkNo, key, s.MarkNo);
                     });
    if (!pendingPersonal_.empty())
        WriteEntries(ini, pendingPersonal_, FileEntries(ini, kPersonal, {kPersonal, kPersonalDate}, kPersonalDate),
                     kPersonalDate,
                     [&ini](const QString &key, const TPersonalHoliday &p) { ini.WriteBool(kPersonal, key, p.Value); });
    if (pendingLists_[kHolidayOfWeekList])
        WriteList(ini, "HolidayOfWeek", Weekdays.HolidayOfWeek);
    if (pendingLists_[kPartOfList])
        WriteList(ini, "HolidayOfWeekPartOf", Weekdays.HolidayOfWeekPartOf);
    if (pendingLists_[kNumberOfList])
        WriteList(ini, "HolidayOfWeekNumberOf", Weekdays.HolidayOfWeekNumberOf);
}

bool TDayData::WritePending()
{
    IniFileUpdate update(configPath_);
    bool ok = update.Ok();
    if (ok) {
        WritePendingInto(update.File());
        ok = update.Commit();
    }
    if (!ok) {
        // The system's reason goes under the fixed text.
        QString message = QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(configPath_));
        if (!update.ErrorString().isEmpty())
            message += u'\n' + update.ErrorString();
        dialogs::ShowMessage(message);
        return false;
    }
    pendingSchedules_.clear();
    pendingPersonal_.clear();
    removedSchedules_.clear();
    removedPersonal_.clear();
    pendingLists_ = {};
    configStamp_ = update.File().Stamp();
    MergeFrom(update.File());
    return true;
}

void TDayData::ReapplyPending()
{
    const auto schedules = std::move(pendingSchedules_);
    const auto personal = std::move(pendingPersonal_);
    pendingSchedules_.clear();
    pendingPersonal_.clear();
    for (const TSchedule &s : schedules)
        StoreSchedule(s.Date, s.Str, s.MarkNo);
    for (const TPersonalHoliday &p : personal)
        StorePersonalHoliday(p.Date, p.Value);
    for (TDateValue date : removedSchedules_)
        RemoveEntryOf(schedule_, scheduleIndex_, date);
    for (TDateValue date : removedPersonal_)
        RemoveEntryOf(personal_, personalIndex_, date);
}

namespace {
// A weekday list another program changed in the file since it was last read
// here is taken from the file; otherwise the list here stays, written or not.
template <std::size_t N>
void MergeList(std::array<bool, N> &list, const std::array<bool, N> &mine, const std::array<bool, N> &lastRead,
               bool pending)
{
    if (pending || list == lastRead)
        list = mine;
}
} // namespace

bool TDayData::MergeFrom(const IniFile &ini)
{
    const std::vector<TSchedule> schedule = schedule_;
    const std::vector<TPersonalHoliday> personal = personal_;
    const THolidayWeekdays weekdays = Weekdays;
    ReadFrom(ini);
    const THolidayWeekdays file = Weekdays;
    MergeList(Weekdays.HolidayOfWeek, weekdays.HolidayOfWeek, fileWeekdays_.HolidayOfWeek,
              pendingLists_[kHolidayOfWeekList]);
    MergeList(Weekdays.HolidayOfWeekPartOf, weekdays.HolidayOfWeekPartOf, fileWeekdays_.HolidayOfWeekPartOf,
              pendingLists_[kPartOfList]);
    MergeList(Weekdays.HolidayOfWeekNumberOf, weekdays.HolidayOfWeekNumberOf, fileWeekdays_.HolidayOfWeekNumberOf,
              pendingLists_[kNumberOfList]);
    fileWeekdays_ = file;
    ReapplyPending();
    const bool changed = schedule != schedule_ || personal != personal_ || weekdays != Weekdays;
    if (changed && changedElsewhere_)
        changedElsewhere_();
    return changed;
}

bool TDayData::ReloadIfChangedElsewhere()
{
    if (configPath_.isEmpty() || StampOfFile(configPath_) == configStamp_)
        return false;
    IniFile ini;
    // A file removed or unreadable meanwhile leaves the data as it is.
    if (!ini.Load(configPath_) || !ini.Stamp().exists)
        return false;
    configStamp_ = ini.Stamp();
    return MergeFrom(ini);
}

bool TDayData::WriteSchedules() { return WritePending(); }

bool TDayData::WritePersonalHolidays() { return WritePending(); }

bool TDayData::WriteHolidayOfWeek()
{
    pendingLists_[kHolidayOfWeekList] = true;
    return WritePending();
}

bool TDayData::WriteHolidayOfWeekPartOf()
{
    pendingLists_[kPartOfList] = true;
    return WritePending();
}

bool TDayData::WriteHolidayOfWeekNumberOf()
{
    pendingLists_[kNumberOfList] = true;
    return WritePending();
}

} // namespace tamarie
