#include "ical_schedules.h"

#include "day_data.h"
#include "ical_reader.h"
#include "ical_recurrence.h"
#include "ical_zones.h"
#include "regular_file.h"

#include <QHash>

#include <libical/ical.h>

#include <algorithm>
#include <memory>

namespace tamarie {

namespace {

// Work allowed per file, in days looked at: a large calendar's repeating
// events over a few years need a few million.
constexpr long long kBudgetSteps = 10000000;

const char16_t *const kMarkNames[] = {u"", u"○", u"□", u"△", u"X"};

struct ComponentFree {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

TIcsRead Refused(const QString &why) { return {{}, why}; }

// A time written without a zone in a repeating event is in the start's.
TIcsTime InStartZone(TIcsTime t, const TIcsTime &start)
{
    if (!t.isDate && !t.utc && t.zone < 0) {
        t.zone = start.zone;
        t.utc = start.utc;
    }
    return t;
}

// UNTIL as a local time of the start's zone.
std::optional<TIcsLocal> UntilOf(const TIcsRule &rule, const TIcsTime &start, TIcsZones &zones)
{
    if (!rule.until.IsValid())
        return std::nullopt;
    const TIcsTime &u = rule.until;
    const TIcsLocal at = TIcsZones::LocalOf(u);
    if (u.isDate)
        return at + kIcsDaySeconds - 1;
    if (!u.utc || start.utc)
        return at;
    // In UTC while the start is in a zone or on Japan's wall clock.
    const std::optional<int> offset = start.isDate ? std::nullopt : zones.Offset(start.zone, at);
    return at + offset.value_or(kIcsJapanOffset);
}

// The date as libical writes it, or nullopt for one it cannot write (it
// puts a null time in its place).
std::optional<icaltimetype> WritableDate(const QDate &d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    icalproperty *p = icalproperty_new_dtstart(t);
    char *text = icalproperty_get_value_as_string_r(p);
    const bool same = text && QByteArray(text) == d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
    icalmemory_free_buffer(text);
    icalproperty_free(p);
    return same ? std::optional<icaltimetype>(t) : std::nullopt;
}

} // namespace

TIcsRead ParseIcs(const QByteArray &input, const QDate &from, const QDate &to, const std::atomic<bool> *cancel)
{
    if (input.size() > kIcsMaxBytes)
        return Refused(QStringLiteral("ファイルが大きすぎます"));
    QByteArrayView bytes(input);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const TIcsContent content = ReadIcsContent(bytes);
    if (!content.error.isEmpty())
        return Refused(content.error);

    TIcsBudget budget(kBudgetSteps, cancel);
    TIcsZones zones(content, budget);
    // Changed occurrences of a repeating event are events of their own that
    // name the occurrence they replace.
    QHash<QByteArray, std::vector<QDate>> replaced;
    for (const TIcsEvent &e : content.events)
        if (e.recurrenceId.IsValid())
            replaced[e.uid].push_back(zones.JapanDate(InStartZone(e.recurrenceId, e.start)));

    std::vector<std::pair<TIcsDay, int>> days; // with the event's place in the file
    bool tooMany = false;
    auto add = [&](const QDate &d, const QString &text, int order) {
        if (!d.isValid())
            return;
        if (days.size() >= kIcsMaxDays)
            tooMany = true;
        else
            days.push_back({TIcsDay{d, text}, order});
    };
    // Local days a little wider than the window: Japan's date may differ by one.
    const QDate localFrom = from.addDays(-2), localTo = to.addDays(2);
    std::vector<QDate> excluded;
    // The days of the window one event falls on, each once however many
    // rules or occurrences give it.
    std::vector<bool> marked(from.isValid() && to >= from ? static_cast<std::size_t>(from.daysTo(to) + 1) : 0);
    std::vector<qint64> mine;
    for (std::size_t i = 0; i < content.events.size() && !tooMany; ++i) {
        const TIcsEvent &e = content.events[i];
        const int order = static_cast<int>(i);
        if (e.cancelled || !e.start.IsValid())
            continue;
        if (e.recurrenceId.IsValid() || (e.rules.empty() && e.dates.empty())) {
            add(zones.JapanDate(e.start), e.summary, order);
            continue;
        }
        excluded = replaced.value(e.uid);
        for (const TIcsTime &t : e.excluded)
            excluded.push_back(zones.JapanDate(InStartZone(t, e.start)));
        std::sort(excluded.begin(), excluded.end());
        mine.clear();
        auto keep = [&](const QDate &d) {
            if (!d.isValid() || d < from || d > to || std::binary_search(excluded.begin(), excluded.end(), d))
                return;
            const qint64 i = from.daysTo(d);
            if (!marked[static_cast<std::size_t>(i)]) {
                marked[static_cast<std::size_t>(i)] = true;
                mine.push_back(i);
            }
        };
        // The start itself is the first occurrence.
        keep(zones.JapanDate(e.start));
        const TIcsLocal start = TIcsZones::LocalOf(e.start);
        for (const QByteArray &text : e.rules) {
            const std::optional<TIcsRule> rule = ParseIcsRule(text);
            if (!rule)
                continue;
            ExpandIcsRule(*rule, start, UntilOf(*rule, e.start, zones), localFrom, localTo, budget,
                          [&](const QDate &day, int first, int last) {
                              if (e.start.isDate)
                                  return keep(day);
                              // The day's first and last occurrences fall on
                              // one or two days in Japan.
                              const TIcsLocal base = day.toJulianDay() * kIcsDaySeconds;
                              const QDate a = zones.JapanDate(e.start.zone, e.start.utc, base + first);
                              const QDate b = zones.JapanDate(e.start.zone, e.start.utc, base + last);
                              keep(a);
                              if (b != a)
                                  keep(b);
                          });
            if (budget.Out())
                break;
        }
        for (const TIcsTime &t : e.dates)
            keep(zones.JapanDate(InStartZone(t, e.start)));
        std::sort(mine.begin(), mine.end());
        for (const qint64 i : mine) {
            marked[static_cast<std::size_t>(i)] = false;
            add(from.addDays(i), e.summary, order);
        }
        if (budget.Out())
            break;
    }
    if (cancel && cancel->load())
        return Refused(QStringLiteral("中止しました"));
    if (budget.Out())
        return Refused(QStringLiteral("繰り返しの予定が多すぎるか、複雑すぎます"));
    if (tooMany)
        return Refused(QStringLiteral("予定が %1 件を超えます").arg(kIcsMaxDays));
    std::stable_sort(days.begin(), days.end(), [](const auto &a, const auto &b) {
        return a.first.date != b.first.date ? a.first.date < b.first.date : a.second < b.second;
    });
    TIcsRead r;
    r.days.reserve(days.size());
    for (auto &d : days)
        r.days.push_back(std::move(d.first));
    return r;
}

TIcsRead ReadIcsFile(const QString &path, const QDate &from, const QDate &to, const std::atomic<bool> *cancel)
{
    const RegularFileContent read = ReadRegularFile(path, kIcsMaxBytes);
    if (const auto refused = ReadRefusalText(read))
        return Refused(*refused);
    return ParseIcs(read.bytes, from, to, cancel);
}

TIcsImport ImportIcsDays(TDayData &data, const std::vector<TIcsDay> &days)
{
    TIcsImport r;
    for (const TIcsDay &d : days) {
        const TDateValue date = DateToValue(d.date);
        if (data.ScheduleOfDate(date)) {
            ++r.skipped;
            continue;
        }
        data.StoreSchedule(date, d.text, 0);
        ++r.added;
    }
    return r;
}

TIcsExport IcsOfSchedules(const std::vector<TSchedule> &schedules, const QDateTime &stamp)
{
    TIcsExport out;
    const Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//Norte//Tamarie//JA"));
    const QDateTime utc = stamp.toUTC();
    icaltimetype dtstamp = icaltime_null_time();
    dtstamp.year = utc.date().year();
    dtstamp.month = utc.date().month();
    dtstamp.day = utc.date().day();
    dtstamp.hour = utc.time().hour();
    dtstamp.minute = utc.time().minute();
    dtstamp.second = utc.time().second();
    dtstamp.zone = icaltimezone_get_utc_timezone();
    for (std::size_t i = 0; i < schedules.size(); ++i) {
        const TSchedule &s = schedules[i];
        const bool marked = s.MarkNo >= 1 && s.MarkNo <= 4;
        const QDate d = ValueToDate(s.Date);
        if (!d.isValid() || (s.Str.isEmpty() && !marked))
            continue; // shows nothing on the calendar
        const std::optional<icaltimetype> start = WritableDate(d), end = WritableDate(d.addDays(1));
        if (!start || !end) {
            if (!out.skipped++ || d < out.firstSkipped)
                out.firstSkipped = d;
            continue;
        }
        icalcomponent *ev = icalcomponent_new_vevent();
        const QByteArray uid = (d.toString(QStringLiteral("yyyyMMdd")) + u'-' + QString::number(i) +
                                QStringLiteral("@tamarie"))
                                   .toUtf8();
        icalcomponent_add_property(ev, icalproperty_new_uid(uid.constData()));
        icalcomponent_add_property(ev, icalproperty_new_dtstamp(dtstamp));
        icalcomponent_add_property(ev, icalproperty_new_dtstart(*start));
        icalcomponent_add_property(ev, icalproperty_new_dtend(*end));
        icalcomponent_add_property(ev, icalproperty_new_summary(s.Str.toUtf8().constData()));
        if (marked)
            icalcomponent_add_property(
                ev, icalproperty_new_categories(QString::fromUtf16(kMarkNames[s.MarkNo]).toUtf8().constData()));
        icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        icalcomponent_add_component(cal.get(), ev);
        ++out.written;
    }
    char *text = icalcomponent_as_ical_string_r(cal.get());
    out.text = QByteArray(text);
    icalmemory_free_buffer(text);
    return out;
}

} // namespace tamarie
