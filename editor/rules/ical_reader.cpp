#include "ical_reader.h"

#include "ini_file.h"

#include <QDate>
#include <QHash>

#include <string>

namespace tamarie {

namespace {

const QString kNotText = QStringLiteral("iCalendar のテキストではありません");
const QString kNotCalendar = QStringLiteral("iCalendar ファイルではありません");
const QString kBroken = QStringLiteral("ファイルが途中で切れているか、壊れています");
const QString kTooDeep = QStringLiteral("入れ子が深すぎます");

// Component names are compared in upper case and need no more than this.
constexpr qsizetype kMaxNameLength = 64;

QByteArray Upper(QByteArrayView s) { return s.first(std::min(s.size(), kMaxNameLength)).toByteArray().toUpper(); }

int Number(QByteArrayView s, qsizetype from, qsizetype n)
{
    int v = 0;
    for (qsizetype i = from; i < from + n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

// One content line split as NAME *(";" param) ":" value; colons inside
// quoted parameter values do not end the parameters.
struct ContentLine {
    QByteArray name; // upper case
    QByteArrayView params, value;
};

bool SplitLine(QByteArrayView line, ContentLine &out)
{
    qsizetype nameEnd = 0;
    while (nameEnd < line.size() && line[nameEnd] != ';' && line[nameEnd] != ':')
        ++nameEnd;
    bool quoted = false;
    qsizetype colon = nameEnd;
    for (; colon < line.size(); ++colon) {
        if (line[colon] == '"')
            quoted = !quoted;
        else if (line[colon] == ':' && !quoted)
            break;
    }
    if (colon >= line.size())
        return false;
    out.name = Upper(line.first(nameEnd).trimmed());
    out.params = line.sliced(nameEnd, colon - nameEnd);
    out.value = line.sliced(colon + 1);
    return true;
}

// The value of a parameter (quotes removed), or an empty view.
QByteArrayView Param(QByteArrayView params, QByteArrayView name)
{
    qsizetype i = 0;
    while (i < params.size()) {
        // params[i] is ';'
        qsizetype eq = i + 1;
        while (eq < params.size() && params[eq] != '=' && params[eq] != ';')
            ++eq;
        const QByteArrayView key = params.sliced(i + 1, eq - i - 1).trimmed();
        qsizetype end = eq;
        bool quoted = false;
        while (end < params.size() && (quoted || params[end] != ';')) {
            if (params[end] == '"')
                quoted = !quoted;
            ++end;
        }
        if (eq < params.size() && params[eq] == '=' && key.compare(name, Qt::CaseInsensitive) == 0) {
            QByteArrayView v = params.sliced(eq + 1, end - eq - 1).trimmed();
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
                v = v.sliced(1, v.size() - 2);
            return v;
        }
        i = end;
    }
    return {};
}

QString Unescaped(QByteArrayView text)
{
    QByteArray out;
    out.reserve(std::min<qsizetype>(text.size(), kIniMaxValueLength * 4));
    for (qsizetype i = 0; i < text.size() && out.size() < kIniMaxValueLength * 4; ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            c = text[++i];
            if (c == 'n' || c == 'N')
                c = '\n';
        }
        out += c;
    }
    QString s = QString::fromUtf8(out);
    for (QChar &ch : s)
        if (ch == u'\r' || ch == u'\n' || ch == u'\t')
            ch = u' ';
    return s.trimmed().left(kIniMaxValueLength);
}

// [+-]hhmm[ss] in seconds east of UTC; 0 when malformed.
int Offset(QByteArrayView v)
{
    v = v.trimmed();
    if ((v.size() != 5 && v.size() != 7) || (v[0] != '+' && v[0] != '-'))
        return 0;
    const int h = Number(v, 1, 2), m = Number(v, 3, 2), s = v.size() == 7 ? Number(v, 5, 2) : 0;
    if (h < 0 || m < 0 || s < 0 || h > 23 || m > 59 || s > 59)
        return 0;
    return (v[0] == '-' ? -1 : 1) * (h * 3600 + m * 60 + s);
}

class Reader {
public:
    explicit Reader(TIcsContent &out) : out_(out) {}

    // False once the text is refused (out.error set).
    bool Line(QByteArrayView line)
    {
        line = line.trimmed();
        if (line.isEmpty())
            return true;
        ContentLine c;
        const bool split = SplitLine(line, c);
        if (!sawFirst_) {
            sawFirst_ = true;
            if (!split || c.name != "BEGIN" || Upper(c.value.trimmed()) != "VCALENDAR")
                return Fail(kNotCalendar);
        }
        if (!split)
            return true; // libical too passes over lines without a value
        if (c.name == "BEGIN")
            return Begin(Upper(c.value.trimmed()));
        if (c.name == "END")
            return End(Upper(c.value.trimmed()));
        if (stack_.empty())
            return Fail(kBroken);
        Property(c);
        return true;
    }

    bool Finish()
    {
        if (!sawFirst_)
            return Fail(kNotCalendar);
        if (!stack_.empty())
            return Fail(kBroken);
        return true;
    }

private:
    enum class Place { Other, Event, Zone, Observance };

    bool Fail(const QString &why)
    {
        out_.error = why;
        return false;
    }

    Place Where() const
    {
        if (stack_.size() < 2 || stack_[0] != "VCALENDAR")
            return Place::Other;
        if (stack_.size() == 2)
            return stack_[1] == "VEVENT" ? Place::Event : stack_[1] == "VTIMEZONE" ? Place::Zone : Place::Other;
        if (stack_.size() == 3 && stack_[1] == "VTIMEZONE" && (stack_[2] == "STANDARD" || stack_[2] == "DAYLIGHT"))
            return Place::Observance;
        return Place::Other;
    }

    bool Begin(const QByteArray &name)
    {
        if (static_cast<int>(stack_.size()) >= kIcsMaxDepth)
            return Fail(kTooDeep);
        stack_.push_back(name);
        switch (Where()) {
        case Place::Event:
            event_ = TIcsEvent{};
            summarySeen_ = false;
            break;
        case Place::Zone:
            zone_ = TIcsZone{};
            break;
        case Place::Observance:
            observance_ = TIcsObservance{};
            break;
        case Place::Other:
            break;
        }
        return true;
    }

    bool End(const QByteArray &name)
    {
        // An END that skips unclosed components closes them too.
        auto open = stack_.size();
        while (open > 0 && stack_[open - 1] != name)
            --open;
        if (open == 0)
            return Fail(kBroken);
        while (stack_.size() >= open) {
            switch (Where()) {
            case Place::Event:
                out_.events.push_back(std::move(event_));
                break;
            case Place::Zone:
                out_.zones.push_back(std::move(zone_));
                break;
            case Place::Observance:
                zone_.observances.push_back(std::move(observance_));
                break;
            case Place::Other:
                break;
            }
            stack_.pop_back();
        }
        return true;
    }

    int ZoneOf(QByteArrayView params)
    {
        const QByteArrayView id = Param(params, "TZID");
        if (id.isEmpty())
            return -1;
        const QString name = QString::fromUtf8(id);
        const auto it = zoneIndex_.constFind(name);
        if (it != zoneIndex_.cend())
            return *it;
        const int index = static_cast<int>(out_.zoneNames.size());
        out_.zoneNames.push_back(name);
        zoneIndex_.insert(name, index);
        return index;
    }

    TIcsTime Time(QByteArrayView item, int zone, bool date)
    {
        if (const qsizetype slash = item.indexOf('/'); slash >= 0)
            item = item.first(slash); // a period: its start
        TIcsTime t = ParseIcsTime(item);
        if (t.IsValid() && !t.utc && !t.isDate)
            t.zone = zone;
        if (date && !t.isDate)
            t = {};
        return t;
    }

    TIcsTime OneTime(const ContentLine &c)
    {
        return Time(c.value.trimmed(), ZoneOf(c.params),
                    Param(c.params, "VALUE").compare("DATE", Qt::CaseInsensitive) == 0);
    }

    void Times(const ContentLine &c, std::vector<TIcsTime> &into)
    {
        const int zone = ZoneOf(c.params);
        const bool date = Param(c.params, "VALUE").compare("DATE", Qt::CaseInsensitive) == 0;
        for (QByteArrayView rest = c.value; !rest.isEmpty();) {
            const qsizetype comma = rest.indexOf(',');
            const QByteArrayView item = (comma < 0 ? rest : rest.first(comma)).trimmed();
            rest = comma < 0 ? QByteArrayView() : rest.sliced(comma + 1);
            if (const TIcsTime t = Time(item, zone, date); t.IsValid())
                into.push_back(t);
        }
    }

    void Property(const ContentLine &c)
    {
        switch (Where()) {
        case Place::Event:
            if (c.name == "DTSTART" && !event_.start.IsValid())
                event_.start = OneTime(c);
            else if (c.name == "SUMMARY" && !summarySeen_)
                event_.summary = Unescaped(c.value), summarySeen_ = true;
            else if (c.name == "UID" && event_.uid.isEmpty())
                event_.uid = c.value.trimmed().toByteArray();
            else if (c.name == "STATUS")
                event_.cancelled = c.value.trimmed().compare("CANCELLED", Qt::CaseInsensitive) == 0;
            else if (c.name == "RECURRENCE-ID" && !event_.recurrenceId.IsValid())
                event_.recurrenceId = OneTime(c);
            else if (c.name == "RRULE")
                event_.rules.push_back(c.value.trimmed().toByteArray());
            else if (c.name == "RDATE")
                Times(c, event_.dates);
            else if (c.name == "EXDATE")
                Times(c, event_.excluded);
            break;
        case Place::Zone:
            if (c.name == "TZID" && zone_.id.isEmpty())
                zone_.id = QString::fromUtf8(c.value.trimmed());
            break;
        case Place::Observance:
            if (c.name == "DTSTART")
                observance_.start = Time(c.value.trimmed(), -1, false);
            else if (c.name == "TZOFFSETFROM")
                observance_.offsetFrom = Offset(c.value);
            else if (c.name == "TZOFFSETTO")
                observance_.offsetTo = Offset(c.value);
            else if (c.name == "RRULE" && observance_.rule.isEmpty())
                observance_.rule = c.value.trimmed().toByteArray();
            else if (c.name == "RDATE")
                Times(c, observance_.dates);
            break;
        case Place::Other:
            break;
        }
    }

    TIcsContent &out_;
    std::vector<QByteArray> stack_;
    TIcsEvent event_;
    TIcsZone zone_;
    TIcsObservance observance_;
    bool summarySeen_ = false; // the first SUMMARY of an event is its text
    QHash<QString, int> zoneIndex_;
    bool sawFirst_ = false;
};

} // namespace

TIcsTime ParseIcsTime(QByteArrayView s)
{
    TIcsTime t;
    const bool utc = s.size() == 16 && (s[15] == 'Z' || s[15] == 'z');
    if (s.size() != 8 && !(s.size() == 15 || utc))
        return {};
    const int y = Number(s, 0, 4), mo = Number(s, 4, 2), d = Number(s, 6, 2);
    if (y < 1 || !QDate::isValid(y, mo, d))
        return {};
    t.year = y;
    t.month = mo;
    t.day = d;
    if (s.size() == 8) {
        t.isDate = true;
        return t;
    }
    const int h = Number(s, 9, 2), mi = Number(s, 11, 2), se = Number(s, 13, 2);
    if ((s[8] != 'T' && s[8] != 't') || h < 0 || h > 23 || mi < 0 || mi > 59 || se < 0 || se > 60)
        return {};
    t.second = h * 3600 + mi * 60 + std::min(se, 59);
    t.utc = utc;
    return t;
}

TIcsContent ReadIcsContent(QByteArrayView bytes)
{
    TIcsContent out;
    if (bytes.contains('\0') || !bytes.isValidUtf8()) {
        out.error = kNotText;
        return out;
    }
    Reader reader(out);
    // Lines end in LF or CRLF; a line starting with a space or a tab
    // continues the one before.
    std::string logical;
    bool have = false;
    for (qsizetype pos = 0; pos < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (have && !line.isEmpty() && (line[0] == ' ' || line[0] == '\t')) {
            logical.append(line.data() + 1, static_cast<std::size_t>(line.size() - 1));
            continue;
        }
        if (have && !reader.Line(QByteArrayView(logical.data(), static_cast<qsizetype>(logical.size()))))
            return out;
        logical.assign(line.data(), static_cast<std::size_t>(line.size()));
        have = true;
    }
    if (have && !reader.Line(QByteArrayView(logical.data(), static_cast<qsizetype>(logical.size()))))
        return out;
    reader.Finish();
    return out;
}

} // namespace tamarie
