#include "day_data.h"

#include "dialogs.h"
#include "holidays.h"
#include "ini_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
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
    const std::optional<std::int32_t> count =
        ini.ValueExists(countSection, kCount) ? ParseIniInteger(ini.ReadString(countSection, kCount)) : std::nullopt;
    std::set<int> held;
    for (const QString &section : sections)
        for (const QString &key : ini.Keys(section))
            if (const auto n = EntryNumber(key); n && (!count || *count < 0 || *n < *count))
                held.insert(*n);
    if (count && *count >= 0)
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

int TDayData::StoreSchedule(TDateValue date, const QString &str, std::int32_t markNo)
{
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

void TDayData::Clear()
{
    schedule_.clear();
    personal_.clear();
    scheduleIndex_.clear();
    personalIndex_.clear();
    Weekdays = THolidayWeekdays{};
}

// ---- Config.ini -----------------------------------------------------------------

void TDayData::LoadConfig()
{
    if (configPath_.isEmpty() || !QFileInfo::exists(configPath_))
        return;
    LoadConfigFrom(IniFile(configPath_));
}

void TDayData::LoadConfigFrom(const IniFile &ini)
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

// The whole change goes to disk in one atomic replacement of the file: a
// failure leaves the previous file whole and the change in memory only.
template <class Fill> bool TDayData::WriteConfig(Fill fill) const
{
    IniFile ini;
    bool ok = !configPath_.isEmpty() && ini.Load(configPath_);
    if (ok) {
        fill(ini);
        ok = ini.Save();
    }
    if (!ok) {
        // The system's reason goes under the fixed text.
        QString message = QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(configPath_));
        if (!ini.ErrorString().isEmpty())
            message += u'\n' + ini.ErrorString();
        dialogs::ShowMessage(message);
    }
    return ok;
}

bool TDayData::WriteSchedules() const
{
    return WriteConfig([this](IniFile &ini) {
        ini.WriteInteger(kSchedule, kCount, ScheduleCount());
        for (std::size_t i = 0; i < schedule_.size(); ++i) {
            const QString key = QString::number(i);
            ini.WriteDate(kScheduleDate, key, schedule_[i].Date);
            ini.WriteString(kScheduleStr, key, schedule_[i].Str);
            ini.WriteInteger(kScheduleMarkNo, key, schedule_[i].MarkNo);
        }
    });
}

bool TDayData::WritePersonalHolidays() const
{
    return WriteConfig([this](IniFile &ini) {
        ini.WriteInteger(kPersonal, kCount, PersonalHolidayValueCount());
        for (std::size_t i = 0; i < personal_.size(); ++i) {
            const QString key = QString::number(i);
            ini.WriteDate(kPersonalDate, key, personal_[i].Date);
            ini.WriteBool(kPersonal, key, personal_[i].Value);
        }
    });
}

namespace {
template <std::size_t N> void WriteList(IniFile &ini, const char *name, const std::array<bool, N> &list)
{
    for (std::size_t i = 0; i < N; ++i)
        ini.WriteBool(kCalendar, QLatin1String(name) + QString::number(i), list[i]);
}
} // namespace

bool TDayData::WriteHolidayOfWeek() const
{
    return WriteConfig([this](IniFile &ini) { WriteList(ini, "HolidayOfWeek", Weekdays.HolidayOfWeek); });
}

bool TDayData::WriteHolidayOfWeekPartOf() const
{
    return WriteConfig([this](IniFile &ini) { WriteList(ini, "HolidayOfWeekPartOf", Weekdays.HolidayOfWeekPartOf); });
}

bool TDayData::WriteHolidayOfWeekNumberOf() const
{
    return WriteConfig(
        [this](IniFile &ini) { WriteList(ini, "HolidayOfWeekNumberOf", Weekdays.HolidayOfWeekNumberOf); });
}

} // namespace tamarie
