#include "ical_schedules.h"

#include "day_data.h"
#include "ini_file.h"
#include "regular_file.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringList>

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace tamarie {

namespace {

// Repetitions walked per event: a rule repeating every second for decades
// must not hang the import; a daily event over the window needs a few hundred.
constexpr int kMaxSteps = 100000;
constexpr long long kMaxStepsPerFile = 2000000;
constexpr std::size_t kMaxDays = 200000;
// Japan time is UTC+9 all year round.
constexpr long long kJapanOffset = 9 * 3600;

const char16_t *const kMarkNames[] = {u"", u"○", u"□", u"△", u"X"};

struct ComponentFree {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

TIcsRead Refused(const QString &why) { return {{}, why}; }

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The date a time of the file falls on in Japan.  Dates are their own date;
// floating times are wall-clock times and so taken as Japan's.
QDate JapanDate(const icaltimetype &t)
{
    if (icaltime_is_null_time(t))
        return {};
    if (t.is_date || !t.zone)
        return QDate(t.year, t.month, t.day);
    const long long s = static_cast<long long>(icaltime_as_timet_with_zone(t, t.zone));
    return QDate(1970, 1, 1).addDays(FloorDiv(s + kJapanOffset, 86400));
}

QString OneLine(const char *summary)
{
    QString s = summary ? QString::fromUtf8(summary) : QString();
    for (QChar &c : s)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return s.trimmed().left(kIniMaxValueLength);
}

QString UidOf(icalcomponent *event)
{
    const char *uid = icalcomponent_get_uid(event);
    return uid ? QString::fromUtf8(uid) : QString();
}

// Checks libical does not make: that the file is text, whole and balanced.
QString TextProblem(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return QStringLiteral("iCalendar のテキストではありません");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QStringLiteral("iCalendar のテキストではありません");
    int depth = 0;
    QString first, last;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (first.isEmpty())
            first = line.toString();
        last = line.toString();
        if (line.startsWith(u"BEGIN:", Qt::CaseInsensitive))
            ++depth;
        else if (line.startsWith(u"END:", Qt::CaseInsensitive) && --depth < 0)
            break;
    }
    if (first.isEmpty() || first.compare(u"BEGIN:VCALENDAR", Qt::CaseInsensitive) != 0)
        return QStringLiteral("iCalendar ファイルではありません");
    if (depth != 0 || last.compare(u"END:VCALENDAR", Qt::CaseInsensitive) != 0)
        return QStringLiteral("ファイルが途中で切れているか、壊れています");
    return {};
}

struct Collector {
    QDate from, to;
    std::vector<std::pair<TIcsDay, int>> days; // with the event's place in the file
    int order = 0;
    long long steps = 0; // repetitions walked in the whole file
    void Add(const QDate &d, const QString &text)
    {
        if (d.isValid() && days.size() < kMaxDays)
            days.push_back({TIcsDay{d, text}, order});
    }
};

std::vector<QDate> ExcludedDates(icalcomponent *event, const icaltimetype &start)
{
    std::vector<QDate> out;
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
        icaltimetype t = icalproperty_get_exdate(p);
        if (!t.zone && !t.is_date)
            t.zone = start.zone; // written in the start's zone
        out.push_back(JapanDate(t));
    }
    return out;
}

void Expand(Collector &c, icalcomponent *event, const icaltimetype &start, const QString &text,
            std::vector<QDate> excluded)
{
    const std::vector<QDate> ex = ExcludedDates(event, start);
    excluded.insert(excluded.end(), ex.begin(), ex.end());
    auto keep = [&](const QDate &d) {
        if (d.isValid() && d >= c.from && d <= c.to &&
            std::find(excluded.begin(), excluded.end(), d) == excluded.end())
            c.Add(d, text);
    };
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        icalrecur_iterator *it = icalrecur_iterator_new(icalproperty_get_rrule(p), start);
        if (!it)
            continue;
        // Jump close to the window where the rule allows it (not with COUNT).
        const QDate jump = c.from.addDays(-2);
        icaltimetype at = start;
        at.year = jump.year();
        at.month = jump.month();
        at.day = jump.day();
        if (icaltime_compare(at, start) > 0)
            icalrecur_iterator_set_start(it, at);
        const QDate stop = c.to.addDays(2);
        for (int step = 0; step < kMaxSteps && c.steps < kMaxStepsPerFile; ++step, ++c.steps) {
            icaltimetype t = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(t))
                break;
            t.zone = start.zone;
            t.is_date = start.is_date;
            if (QDate(t.year, t.month, t.day) > stop)
                break;
            keep(JapanDate(t));
        }
        icalrecur_iterator_free(it);
    }
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        icaltimetype t = icalproperty_get_rdate(p).time;
        if (!t.zone && !t.is_date)
            t.zone = start.zone;
        keep(JapanDate(t));
    }
}

void CollectCalendar(Collector &c, icalcomponent *calendar)
{
    // Changed occurrences of a repeating event are events of their own that
    // name the occurrence they replace.
    QHash<QString, std::vector<QDate>> replaced;
    for (icalcomponent *e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY))
            replaced[UidOf(e)].push_back(JapanDate(icalcomponent_get_recurrenceid(e)));
    }
    for (icalcomponent *e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        ++c.order;
        if (icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED)
            continue;
        const icaltimetype start = icalcomponent_get_dtstart(e);
        if (icaltime_is_null_time(start))
            continue;
        const QString text = OneLine(icalcomponent_get_summary(e));
        const bool repeats = !icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY) &&
                             (icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY) ||
                              icalcomponent_get_first_property(e, ICAL_RDATE_PROPERTY));
        if (!repeats) {
            c.Add(JapanDate(start), text);
            continue;
        }
        // The start itself is the first occurrence unless a rule excludes it.
        const std::vector<QDate> excluded = replaced.value(UidOf(e));
        const QDate first = JapanDate(start);
        const std::vector<QDate> ex = ExcludedDates(e, start);
        if (first >= c.from && first <= c.to && std::find(ex.begin(), ex.end(), first) == ex.end() &&
            std::find(excluded.begin(), excluded.end(), first) == excluded.end())
            c.Add(first, text);
        std::vector<QDate> notAgain = excluded;
        notAgain.push_back(first);
        Expand(c, e, start, text, notAgain);
    }
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

TIcsRead ParseIcs(const QByteArray &input, const QDate &from, const QDate &to)
{
    if (input.size() > kIcsMaxBytes)
        return Refused(QStringLiteral("ファイルが大きすぎます"));
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    if (const QString problem = TextProblem(bytes); !problem.isEmpty())
        return Refused(problem);
    icalerror_set_errors_are_fatal(0);
    const Component root(icalparser_parse_string(bytes.constData()));
    if (!root)
        return Refused(QStringLiteral("iCalendar ファイルとして読めません"));
    Collector c{from, to, {}, 0, 0};
    const icalcomponent_kind kind = icalcomponent_isa(root.get());
    if (kind == ICAL_VCALENDAR_COMPONENT) {
        CollectCalendar(c, root.get());
    } else if (kind == ICAL_XROOT_COMPONENT) {
        for (icalcomponent *cal = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); cal;
             cal = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            CollectCalendar(c, cal);
    } else {
        return Refused(QStringLiteral("iCalendar ファイルではありません"));
    }
    std::stable_sort(c.days.begin(), c.days.end(), [](const auto &a, const auto &b) {
        return a.first.date != b.first.date ? a.first.date < b.first.date : a.second < b.second;
    });
    TIcsRead r;
    r.days.reserve(c.days.size());
    for (auto &d : c.days)
        r.days.push_back(std::move(d.first));
    return r;
}

TIcsRead ReadIcsFile(const QString &path, const QDate &from, const QDate &to)
{
    const RegularFileContent read = ReadRegularFile(path, kIcsMaxBytes);
    if (const auto refused = ReadRefusalText(read))
        return Refused(*refused);
    return ParseIcs(read.bytes, from, to);
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
