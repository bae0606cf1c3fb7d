#pragma once
// The user's own day data: weekday holidays (every week, or in chosen weeks
// of the month), per-date holiday overrides and schedules, the rules that
// decide a date's holiday state, and the settings file Config.ini that keeps
// them.  No widgets: the main window owns one TDayData as part of its editor
// state and mirrors the weekday lists into its check lists.
#include "regular_file.h"
#include "values.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace tamarie {

class IniFile;

struct TSchedule {
    TDateValue Date = 0;
    QString Str;              // one line
    std::int32_t MarkNo = 0;  // 0 none, 1 "○", 2 "□", 3 "△", 4 "X"
    bool operator==(const TSchedule &) const = default;
};

struct TPersonalHoliday {
    TDateValue Date = 0;
    bool Value = false;       // true: holiday, false: working day
    bool operator==(const TPersonalHoliday &) const = default;
};

// The three weekday lists of the second settings page, Sunday first.
struct THolidayWeekdays {
    std::array<bool, 7> HolidayOfWeek{true, false, false, false, false, false, true}; // "休日の曜日(すべて)"
    std::array<bool, 7> HolidayOfWeekPartOf{};                                        // "休日の曜日(一部)"
    std::array<bool, 5> HolidayOfWeekNumberOf{};                                      // "第一" .. "第五"
    bool operator==(const THolidayWeekdays &) const = default;
};

// 0 = Sunday .. 6 = Saturday; -1 for a value that is no date.
int WeekdayIndex(TDateValue date);
// Occurrence of the date's weekday in its month: 0 for days 1-7 .. 4 for 29-31.
int WeekOfMonthIndex(TDateValue date);
bool IsEveryWeekHoliday(const THolidayWeekdays &w, TDateValue date);
bool IsNthWeekHoliday(const THolidayWeekdays &w, TDateValue date);
// Every-week or n-th-week holiday (what "休日" shows after a list click).
bool IsWeekdayRuleHoliday(const THolidayWeekdays &w, TDateValue date);

// The weekday rules for weekday (0 = Sunday .. 6) and day of the month; day 0
// (a header cell) is never in a chosen week.  The one decision behind the
// functions above and the painting of the day cells.
struct TWeekdayRuleFacts {
    bool everyWeek = false;
    bool nthWeek = false;
};
TWeekdayRuleFacts WeekdayRuleFacts(const THolidayWeekdays &w, int weekday, int day);

// Everything a day cell needs about its date.
struct TDayLookup {
    bool everyWeek = false;
    bool nthWeek = false;
    bool national = false;                     // national, substitute or citizens'
    QString holidayName;                       // name of that holiday, else empty
    const TPersonalHoliday *personal = nullptr;
    const TSchedule *schedule = nullptr;
    bool holiday = false;                      // the decided state
};

class TDayData {
public:
    THolidayWeekdays Weekdays;

    const std::vector<TSchedule> &Schedule() const { return schedule_; }
    std::int32_t ScheduleCount() const { return static_cast<std::int32_t>(schedule_.size()); }
    const std::vector<TPersonalHoliday> &PersonalHoliday() const { return personal_; }
    std::int32_t PersonalHolidayValueCount() const { return static_cast<std::int32_t>(personal_.size()); }

    // First entry of the date, or nullptr.
    const TSchedule *ScheduleOfDate(TDateValue date) const;
    const TPersonalHoliday *PersonalHolidayOfDate(TDateValue date) const;

    // Holiday state: every-week rule, then n-th-week rule and national
    // holidays (which only set it), then the date's override either way.
    bool IsHolidayOfDate(TDateValue date) const;
    TDayLookup LookupDay(TDateValue date) const;

    // Store into the first entry of the date, or append one; the index.  The
    // change waits in memory for the next Write* call.
    int StoreSchedule(TDateValue date, const QString &str, std::int32_t markNo);
    int StorePersonalHoliday(TDateValue date, bool value);
    // The entry of the date leaves (taking back the store that made it):
    // its keys leave the file with the next Write* call of its list.
    void RemoveSchedule(TDateValue date);
    void RemovePersonalHoliday(TDateValue date);
    void Clear();

    // Config.ini, shared with every other editor of the same user.  Reading
    // keeps the defaults for whatever is missing.
    void SetConfigPath(const QString &path) { configPath_ = path; }
    const QString &ConfigPath() const { return configPath_; }
    void LoadConfig();
    // The same from a file already parsed.
    void LoadConfigFrom(const IniFile &ini);
    // Each writes what waits to be written, under the file's lock into the
    // file as it stands: only the keys of the stored entries (an entry of a
    // date the file holds keeps its number; a new one takes the number after
    // the highest the file holds, and the count follows it), or the keys of
    // the list.  The data is then read back from the merged file, so it holds
    // what other editors stored meanwhile.  On failure it shows
    // "<path> に書き込めません" and returns false; the change stays in memory
    // and goes with the next write.
    bool WriteSchedules();
    bool WritePersonalHolidays();
    bool WriteHolidayOfWeek();
    bool WriteHolidayOfWeekPartOf();
    bool WriteHolidayOfWeekNumberOf();

    // Reads the file again when it is no longer the one last read or written
    // here (another editor stored something); changes not yet written stay
    // on top.  True when the data changed.
    bool ReloadIfChangedElsewhere();
    // Called whenever a reading of the file brought in what another program
    // stored (by ReloadIfChangedElsewhere or by a write).
    void SetChangedElsewhereHandler(std::function<void()> handler) { changedElsewhere_ = std::move(handler); }

private:
    enum List { kHolidayOfWeekList, kPartOfList, kNumberOfList, kListCount };
    bool WritePending();
    void WritePendingInto(IniFile &ini) const;
    void ReadFrom(const IniFile &ini);
    bool MergeFrom(const IniFile &ini);
    void ReapplyPending();

    std::vector<TSchedule> schedule_;
    std::vector<TPersonalHoliday> personal_;
    // Date -> first entry of that date, so a cell finds its data in O(1).
    std::unordered_map<double, int> scheduleIndex_;
    std::unordered_map<double, int> personalIndex_;
    QString configPath_;
    FileStamp configStamp_;  // the file as last read or written here
    // Stored but not yet in the file, in the order stored.
    std::vector<TSchedule> pendingSchedules_;
    std::vector<TPersonalHoliday> pendingPersonal_;
    std::vector<TDateValue> removedSchedules_;  // dates whose entries leave the file
    std::vector<TDateValue> removedPersonal_;
    std::array<bool, kListCount> pendingLists_{};
    THolidayWeekdays fileWeekdays_;  // the lists as the file had them when last read
    std::function<void()> changedElsewhere_;
};

} // namespace tamarie
