#include "ini_file.h"

#include "ini_update.h"
#include "regular_file.h"
#include "replacing_file.h"

#include <QFile>

#include <cerrno>
#include <memory>
#include <unordered_map>


namespace tamarie {

namespace {

bool IsBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\v' || u == '\f';
}

QStringView Trimmed(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

bool IsQuote(QChar c) { return c == u'"' || c == u'\''; }

// The profile functions drop one pair of matching quotes around a value.
QStringView Unquoted(QStringView s)
{
    if (s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front())
        return s.mid(1, s.size() - 2);
    return s;
}

// A value as it goes into a line: one line, and quoted when reading would
// otherwise lose its outer blanks or quotes.
QString ValueForLine(const QString &value)
{
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ').remove(QChar(u'\0'));
    const bool needsQuotes = !v.isEmpty() && (IsBlank(v.front()) || IsBlank(v.back()) ||
                                              (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()));
    return needsQuotes ? u'"' + v + u'"' : v;
}

QString Fold(const QString &s) { return s.toCaseFolded(); }

QString Limited(const QString &value)
{
    if (value.size() <= kIniMaxValueLength)
        return value;
    qsizetype n = kIniMaxValueLength;
    if (value[n - 1].isHighSurrogate() && value[n].isLowSurrogate())
        --n; // never cut a character in two
    return value.left(n);
}

int HexDigit(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

// ---- values ----------------------------------------------------------------

std::optional<std::int32_t> ParseIniInteger(QStringView text)
{
    QStringView s = Trimmed(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    if (s.isEmpty())
        return std::nullopt;
    if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        s = s.mid(2);
        if (s.size() > 8)
            return std::nullopt;
        std::uint32_t v = 0;
        for (QChar c : s) {
            const int d = HexDigit(c.unicode());
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<std::uint32_t>(d);
        }
        return static_cast<std::int32_t>(negative ? 0u - v : v);
    }
    std::int64_t v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

std::optional<TDateValue> ParseIniDate(QStringView text)
{
    const QStringView s = Trimmed(text);
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int p = 0;
    for (QChar c : s) {
        if (c == u'/') {
            if (++p > 2)
                return std::nullopt;
        } else if (c >= u'0' && c <= u'9') {
            if (++digits[p] > 4)
                return std::nullopt;
            parts[p] = parts[p] * 10 + (c.unicode() - '0');
        } else {
            return std::nullopt;
        }
    }
    if (p != 2 || digits[0] == 0 || digits[1] == 0 || digits[1] > 2 || digits[2] == 0 || digits[2] > 2)
        return std::nullopt;
    if (parts[0] < 1 || parts[0] > 9999 || !QDate::isValid(parts[0], parts[1], parts[2]))
        return std::nullopt;
    return DateToValue(QDate(parts[0], parts[1], parts[2]));
}

QString FormatIniDate(TDateValue date)
{
    const QDate d = ValueToDate(date);
    if (!d.isValid())
        return QString();
    return QString::asprintf("%04d/%02d/%02d", d.year(), d.month(), d.day());
}

// ---- the parsed file -------------------------------------------------------

IniFile::IniFile(const QString &path) { Load(path); }

bool IniFile::Load(const QString &path)
{
    path_ = path;
    error_.clear();
    RegularFileContent read = ReadRegularFile(path, kIniMaxFileSize);
    stamp_ = read.stamp;
    if (read.result.status == RegularFileStatus::Missing) {
        Parse(QByteArray());
        return true;
    }
    if (read.result.status != RegularFileStatus::Ok) {
        error_ = RegularFileErrorText(read.result);
        Parse(QByteArray());
        return false;
    }
    Parse(read.bytes);
    return true;
}

void IniFile::Parse(const QByteArray &bytes)
{
    DecodedText decoded = DecodeText(bytes);
    encoding_ = decoded.encoding;
    modified_ = false;
    sections_.clear();
    sections_.emplace_back();
    const QString &text = decoded.text;
    const qsizetype firstLf = text.indexOf(u'\n');
    crlf_ = firstLf < 0 || (firstLf > 0 && text[firstLf - 1] == u'\r');

    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0)
            end = n;
        qsizetype lineEnd = end;
        if (lineEnd > pos && text[lineEnd - 1] == u'\r')
            --lineEnd;
        const QString line = text.mid(pos, lineEnd - pos);
        pos = end + 1;

        const QStringView t = Trimmed(line);
        if (t.startsWith(u'[')) {
            Section s;
            qsizetype close = t.indexOf(u']');
            s.name = Trimmed(t.mid(1, close < 0 ? -1 : close - 1)).toString();
            s.header = line;
            s.hasHeader = true;
            sections_.push_back(std::move(s));
            continue;
        }
        Entry e;
        e.raw = line;
        const qsizetype eq = t.indexOf(u'=');
        if (eq >= 0 && !t.startsWith(u';')) {
            e.isKey = true;
            e.key = Trimmed(t.left(eq)).toString();
            e.value = Unquoted(Trimmed(t.mid(eq + 1))).toString();
        }
        sections_.back().entries.push_back(std::move(e));
    }
    for (Section &s : sections_)
        IndexKeys(s);
    RebuildSectionIndex();
}

void IniFile::IndexKeys(Section &s)
{
    s.keyIndex.clear();
    for (int i = 0; i < static_cast<int>(s.entries.size()); ++i)
        if (s.entries[i].isKey) {
            const QString k = Fold(s.entries[i].key);
            if (!s.keyIndex.contains(k)) // the first of duplicates wins
                s.keyIndex.insert(k, i);
        }
}

void IniFile::RebuildSectionIndex()
{
    sectionIndex_.clear();
    for (int i = 1; i < static_cast<int>(sections_.size()); ++i)
        sectionIndex_[Fold(sections_[i].name)].push_back(i);
}

const IniFile::Entry *IniFile::Find(const QString &section, const QString &key) const
{
    const auto it = sectionIndex_.constFind(Fold(section));
    if (it == sectionIndex_.constEnd())
        return nullptr;
    const QString k = Fold(key);
    for (int si : *it) {
        const Section &s = sections_[si];
        const auto e = s.keyIndex.constFind(k);
        if (e != s.keyIndex.constEnd())
            return &s.entries[*e];
    }
    return nullptr;
}

bool IniFile::SectionExists(const QString &section) const { return sectionIndex_.contains(Fold(section)); }

bool IniFile::ValueExists(const QString &section, const QString &key) const { return Find(section, key) != nullptr; }

QStringList IniFile::Sections() const
{
    QStringList out;
    for (std::size_t i = 1; i < sections_.size(); ++i)
        if (sectionIndex_.value(Fold(sections_[i].name)).front() == static_cast<int>(i))
            out << sections_[i].name;
    return out;
}

QStringList IniFile::Keys(const QString &section) const
{
    QStringList out;
    const auto it = sectionIndex_.constFind(Fold(section));
    if (it == sectionIndex_.constEnd())
        return out;
    for (int si : *it) {
        const Section &s = sections_[si];
        for (int i = 0; i < static_cast<int>(s.entries.size()); ++i)
            if (s.entries[i].isKey && s.keyIndex.value(Fold(s.entries[i].key)) == i)
                out << s.entries[i].key;
    }
    return out;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const Entry *e = Find(section, key);
    return Limited(e ? e->value : def);
}

std::int32_t IniFile::ReadInteger(const QString &section, const QString &key, std::int32_t def) const
{
    const Entry *e = Find(section, key);
    if (!e)
        return def;
    return ParseIniInteger(Limited(e->value)).value_or(def);
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

TColorValue IniFile::ReadColor(const QString &section, const QString &key, TColorValue def) const
{
    return ReadInteger(section, key, def);
}

TDateValue IniFile::ReadDate(const QString &section, const QString &key, TDateValue def) const
{
    const Entry *e = Find(section, key);
    if (!e)
        return def;
    return ParseIniDate(Limited(e->value)).value_or(def);
}

bool IniFile::Changed()
{
    modified_ = true;
    return writeThrough_ ? Save() : true;
}

bool IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString lineValue = ValueForLine(value);
    QString stored = value;
    stored.replace(u'\r', u' ').replace(u'\n', u' ').remove(QChar(u'\0'));

    const QString fs = Fold(section);
    const QString fk = Fold(key);
    const auto it = sectionIndex_.constFind(fs);
    if (it != sectionIndex_.constEnd()) {
        for (int si : *it) {
            Section &s = sections_[si];
            const auto e = s.keyIndex.constFind(fk);
            if (e != s.keyIndex.constEnd()) {
                Entry &entry = s.entries[*e];
                entry.value = stored;
                entry.raw = entry.key + u'=' + lineValue;
                return Changed();
            }
        }
        // Append to the first section of that name, after its last non-blank line.
        Section &s = sections_[it->front()];
        int at = static_cast<int>(s.entries.size());
        while (at > 0 && Trimmed(s.entries[at - 1].raw).isEmpty())
            --at;
        Entry entry{key + u'=' + lineValue, key, stored, true};
        s.entries.insert(s.entries.begin() + at, std::move(entry));
        // Only blank lines follow the new entry, so no indexed key moved.
        s.keyIndex.insert(fk, at);
        return Changed();
    }
    Section s;
    s.name = section;
    s.header = u'[' + section + u']';
    s.hasHeader = true;
    s.entries.push_back(Entry{key + u'=' + lineValue, key, stored, true});
    IndexKeys(s);
    sections_.push_back(std::move(s));
    sectionIndex_[fs].push_back(static_cast<int>(sections_.size()) - 1);
    return Changed();
}

bool IniFile::WriteInteger(const QString &section, const QString &key, std::int32_t value)
{
    return WriteString(section, key, QString::number(value));
}

bool IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    return WriteString(section, key, FormatIniBool(value));
}

bool IniFile::WriteColor(const QString &section, const QString &key, TColorValue value)
{
    return WriteInteger(section, key, value);
}

bool IniFile::WriteDate(const QString &section, const QString &key, TDateValue value)
{
    return WriteString(section, key, FormatIniDate(value));
}

bool IniFile::EraseKey(const QString &section, const QString &key)
{
    const auto it = sectionIndex_.constFind(Fold(section));
    if (it == sectionIndex_.constEnd())
        return true;
    const QString fk = Fold(key);
    bool erased = false;
    for (int si : *it) {
        Section &s = sections_[si];
        if (!s.keyIndex.contains(fk))
            continue;
        std::erase_if(s.entries, [&](const Entry &e) { return e.isKey && Fold(e.key) == fk; });
        IndexKeys(s);
        erased = true;
    }
    return erased ? Changed() : true;
}

bool IniFile::EraseSection(const QString &section)
{
    const QString fs = Fold(section);
    if (!sectionIndex_.contains(fs))
        return true;
    std::vector<Section> kept;
    kept.reserve(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i)
        if (i == 0 || Fold(sections_[i].name) != fs)
            kept.push_back(std::move(sections_[i]));
    sections_ = std::move(kept);
    RebuildSectionIndex();
    return Changed();
}

QByteArray IniFile::Serialize()
{
    const QString eol = crlf_ ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const Section &s : sections_) {
        if (s.hasHeader)
            text += s.header + eol;
        for (const Entry &e : s.entries)
            text += e.raw + eol;
    }
    // Always in the encoding the file was read in, unless that could not
    // give back exactly this text; then the whole file changes, never a part.
    return EncodeTextReadingBack(text, encoding_, &encoding_);
}

bool IniFile::Save()
{
    error_.clear();
    if (path_.isEmpty()) {
        error_ = SystemErrorText(ENOENT);
        return false;
    }
    const QByteArray bytes = Serialize();
    ReplacingFile f(path_);
    if (!f.Open() || !f.Write(bytes) || !f.Commit()) {
        error_ = f.ErrorString();
        return false;
    }
    modified_ = false;
    stamp_ = f.Stamp();
    return true;
}

// ---- one key per call -------------------------------------------------------

namespace profile {

namespace {

struct Cached {
    FileStamp stamp;
    std::unique_ptr<IniFile> file;
};

std::unordered_map<std::u16string, Cached> &Cache()
{
    static std::unordered_map<std::u16string, Cached> cache;
    return cache;
}

IniFile &Open(const QString &path)
{
    auto &cache = Cache();
    const std::u16string key = path.toStdU16String();
    const FileStamp now = StampOfFile(path);
    auto it = cache.find(key);
    if (it != cache.end() && it->second.stamp == now && now.exists)
        return *it->second.file;
    if (cache.size() >= 16 && it == cache.end())
        cache.clear();
    Cached c{now, std::make_unique<IniFile>(path)};
    IniFile &f = *c.file;
    cache[key] = std::move(c);
    return f;
}

// One key changed in the file as it stands, under its lock; a change that
// changes nothing (erasing what is not there) writes nothing.
template <class Change> bool Update(const QString &path, Change change)
{
    Cache().erase(path.toStdU16String());
    IniFileUpdate update(path);
    if (!update.Ok())
        return false;
    change(update.File());
    return update.Commit();
}

} // namespace

QString ReadString(const QString &path, const QString &section, const QString &key, const QString &def)
{
    return Open(path).ReadString(section, key, def);
}

std::int32_t ReadInteger(const QString &path, const QString &section, const QString &key, std::int32_t def)
{
    return Open(path).ReadInteger(section, key, def);
}

bool WriteString(const QString &path, const QString &section, const QString &key, const QString &value)
{
    return Update(path, [&](IniFile &f) { f.WriteString(section, key, value); });
}

bool EraseKey(const QString &path, const QString &section, const QString &key)
{
    return Update(path, [&](IniFile &f) { f.EraseKey(section, key); });
}

bool EraseSection(const QString &path, const QString &section)
{
    return Update(path, [&](IniFile &f) { f.EraseSection(section); });
}

void ForgetCachedFiles() { Cache().clear(); }

} // namespace profile

} // namespace tamarie
