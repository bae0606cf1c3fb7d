#include "ical_zones.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QSet>

#include <algorithm>
#include <climits>

namespace tamarie {

namespace {

constexpr long long kDay = kIcsDaySeconds;
// Seconds from Julian day 0 to the Unix epoch.
constexpr long long kEpoch = 2440588LL * kDay;
// Onsets kept in the cache of years at most; it starts again beyond.
constexpr std::size_t kMaxCachedOnsets = 4000000;

// Qt takes any unknown name for a POSIX rule ("abc" is UTC), so a name
// counts only when the time zone database has it: the zones Qt lists and the
// files of the database (older names such as "US/Eastern" too), gathered once.
bool KnownZone(const QByteArray &id)
{
    static const QSet<QByteArray> known = [] {
        QSet<QByteArray> ids;
        for (const QByteArray &z : QTimeZone::availableTimeZoneIds())
            ids.insert(z);
        const QString folder = qEnvironmentVariable("TZDIR", QStringLiteral("/usr/share/zoneinfo"));
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            ids.insert(QDir(folder).relativeFilePath(it.next()).toUtf8());
        return ids;
    }();
    return known.contains(id);
}

// A zone the system knows by the name, a Windows name, or the name's tail
// after a prefix such as "/freeassociation.sourceforge.net/Tzfile/".
QTimeZone SystemZone(const QString &name)
{
    const QByteArray id = name.toUtf8();
    if (id.isEmpty() || id.size() > 200)
        return {};
    if (KnownZone(id))
        return QTimeZone(id);
    if (const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(id); !iana.isEmpty())
        return QTimeZone(iana);
    // Zone names have at most two slashes.
    qsizetype cut = id.size();
    for (int i = 0; i < 3 && cut > 0 && (cut = id.lastIndexOf('/', cut - 1)) >= 0; ++i)
        if (KnownZone(id.mid(cut + 1)))
            return QTimeZone(id.mid(cut + 1));
    return {};
}

} // namespace

TIcsZones::TIcsZones(const TIcsContent &content, TIcsBudget &budget) : budget_(budget)
{
    QHash<QString, int> byId;
    for (const TIcsZone &z : content.zones) {
        if (byId.contains(z.id))
            continue;
        Defined d;
        TIcsLocal earliest = 0;
        bool any = false;
        for (const TIcsObservance &o : z.observances) {
            if (!o.start.IsValid())
                continue;
            Observance ob{LocalOf(o.start) + (o.start.utc ? o.offsetFrom : 0), o.offsetFrom, o.offsetTo, std::nullopt,
                          std::nullopt};
            if (!o.rule.isEmpty())
                ob.rule = ParseIcsRule(o.rule);
            if (ob.rule && ob.rule->until.IsValid()) {
                const TIcsTime &u = ob.rule->until;
                ob.until = LocalOf(u) + (u.isDate ? kDay - 1 : 0) + (u.utc ? o.offsetFrom : 0);
            }
            d.fixed.push_back({ob.start, o.offsetTo});
            for (const TIcsTime &t : o.dates)
                d.fixed.push_back({LocalOf(t) + (t.utc ? o.offsetFrom : 0), o.offsetTo});
            if (!any || ob.start < earliest) {
                earliest = ob.start;
                d.first = o.offsetFrom;
                any = true;
            }
            if (ob.rule)
                d.observances.push_back(std::move(ob));
        }
        std::sort(d.fixed.begin(), d.fixed.end());
        byId.insert(z.id, static_cast<int>(zones_.size()));
        zones_.push_back(std::move(d));
    }
    for (const QString &name : content.zoneNames) {
        const int defined = byId.value(name, -1);
        defined_.push_back(defined);
        system_.push_back(defined < 0 ? SystemZone(name) : QTimeZone());
    }
}

TIcsLocal TIcsZones::LocalOf(const TIcsTime &t)
{
    return QDate(t.year, t.month, t.day).toJulianDay() * kDay + t.second;
}

TIcsZones::Year TIcsZones::DefinedYear(const Defined &d, int year)
{
    Year y;
    const QDate from(year - 1, 1, 1), to(year, 12, 31);
    const TIcsLocal lo = from.toJulianDay() * kDay, hi = (to.toJulianDay() + 1) * kDay;
    auto firstAt = std::lower_bound(d.fixed.begin(), d.fixed.end(), std::pair<TIcsLocal, int>(lo, INT_MIN));
    y.before = firstAt == d.fixed.begin() ? d.first : std::prev(firstAt)->second;
    for (auto it = firstAt; it != d.fixed.end() && it->first < hi; ++it)
        y.onsets.push_back(*it);
    budget_.Spend(static_cast<long long>(y.onsets.size()) + 1);
    for (const Observance &o : d.observances)
        ExpandIcsRule(*o.rule, o.start, o.until, from, to, budget_, [&](const QDate &day, int first, int) {
            y.onsets.push_back({day.toJulianDay() * kDay + first, o.offsetTo});
        });
    std::sort(y.onsets.begin(), y.onsets.end());
    return y;
}

TIcsZones::Year TIcsZones::SystemYear(const QTimeZone &tz, int year)
{
    Year y;
    const QDateTime from(QDate(year - 1, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    y.before = tz.offsetFromUtc(from);
    int offset = y.before;
    const QTimeZone::OffsetDataList changes = tz.transitions(from, to);
    budget_.Spend(static_cast<long long>(changes.size()) + 1);
    for (const QTimeZone::OffsetData &c : changes) {
        // An onset is written in the local time before it.
        y.onsets.push_back({kEpoch + c.atUtc.toSecsSinceEpoch() + offset, c.offsetFromUtc});
        offset = c.offsetFromUtc;
    }
    return y;
}

const TIcsZones::Year &TIcsZones::YearOf(int zone, int year)
{
    const quint64 key = (quint64(quint32(zone)) << 32) | quint32(year);
    if (const auto it = years_.constFind(key); it != years_.cend())
        return *it;
    Year y = defined_[zone] >= 0 ? DefinedYear(zones_[defined_[zone]], year) : SystemYear(system_[zone], year);
    if (cachedOnsets_ + y.onsets.size() > kMaxCachedOnsets) {
        years_.clear();
        cachedOnsets_ = 0;
    }
    cachedOnsets_ += y.onsets.size();
    return *years_.insert(key, std::move(y));
}

std::optional<int> TIcsZones::Offset(int zone, TIcsLocal local)
{
    if (zone < 0 || zone >= static_cast<int>(defined_.size()) || (defined_[zone] < 0 && !system_[zone].isValid()))
        return std::nullopt;
    // Each year's table starts a year early, so the onset before a time is in it.
    const int year = std::clamp(QDate::fromJulianDay(IcsFloorDiv(local, kDay)).year(), 2, 9999);
    const Year &y = YearOf(zone, year);
    const auto after = std::upper_bound(y.onsets.begin(), y.onsets.end(), std::pair<TIcsLocal, int>(local, INT_MAX));
    return after == y.onsets.begin() ? y.before : std::prev(after)->second;
}

QDate TIcsZones::JapanDate(int zone, bool utc, TIcsLocal local)
{
    TIcsLocal u = local;
    if (!utc) {
        const std::optional<int> offset = Offset(zone, local);
        if (!offset)
            return QDate::fromJulianDay(IcsFloorDiv(local, kDay));
        u -= *offset;
    }
    return QDate::fromJulianDay(IcsFloorDiv(u + kIcsJapanOffset, kDay));
}

QDate TIcsZones::JapanDate(const TIcsTime &t)
{
    if (!t.IsValid())
        return {};
    if (t.isDate)
        return QDate(t.year, t.month, t.day);
    return JapanDate(t.zone, t.utc, LocalOf(t));
}

} // namespace tamarie
