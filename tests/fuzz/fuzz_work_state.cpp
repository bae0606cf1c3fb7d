// The work-state reader and the font-record decoder on arbitrary bytes: what
// is read stays within what a desktop can show, writing it and reading it
// again gives the same values, every key the format does not own survives a
// save, and a decoded font record encodes to one that decodes the same.
#include "work_state_format.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>
#include <map>

using namespace tamarie;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// A complete file, so the fuzzer's bytes work on real keys from the start.
const char kTemplate[] = "[Form1]\nIsMaximized=0\nLeft=10\nTop=20\nWidth=900\nHeight=700\n"
                         "[Panel]\nLeft=0\nTop=0\nWidth=400\nHeight=560\n[Hoko]\nValue=0\n"
                         "[Calendar]\nMonth=2025/04/01\nMonths=2\nBackColor=16777215\nBackColor_1=255\n"
                         "Transparent1=0\nTransparent2=1\nAlphaBlendValue=200\nAlphaBlendValue_1=90\n"
                         "StartOfWeek=1\nMonthMode=2\nWeekDayMode=1\nShowRokuyo=1\nSameSize=0\nCount=2\n"
                         "[CalForm1]\nLeft=100\nTop=110\nWidth=300\nHeight=200\n"
                         "[CalForm2]\nLeft=-5\nTop=99999\nWidth=280\nHeight=210\n"
                         "[Image]\nCount=1\n[Image0]\nLeft=6\nTop=7\nWidth=385\nHeight=280\nFileName=a.jpg\n"
                         "[Image1]\nLeft=1\n[Paper]\nColor=15780518\n";

WorkState Defaults()
{
    WorkState s;
    s.mainWindow = QRect(0, 0, 1200, 900);
    s.paper = QRect(0, 0, 400, 560);
    s.month = 45000;
    s.calendars.resize(3);
    s.commonFont.status = FontRecordStatus::Ok;
    s.commonFont.record.Name = QStringLiteral("ＭＳ ゴシック");
    return s;
}

bool Within(const QRect &r, const WorkStateBounds &b)
{
    return r.width() >= 0 && r.width() <= b.maxWidth() && r.height() >= 0 && r.height() <= b.maxHeight() &&
           b.Clamp(r.x(), r.y(), r.width(), r.height()) == r;
}

void CheckWorkState(const QByteArray &bytes)
{
    static const WorkState current = Defaults();
    static const WorkStateBounds bounds{QRect(-1920, 0, 3840, 1080)};
    static const std::vector<QRect> windows(kMaxCalendars, QRect(50, 60, 240, 180));

    IniFile ini;
    ini.Parse(bytes);
    const WorkState read = ReadWorkState(ini, current, bounds, windows);
    Check(read.calendars.size() >= 1 && read.calendars.size() <= std::size_t(kMaxCalendars));
    Check(read.photos.size() <= std::size_t(kMaxWorkStatePhotos));
    Check(read.alpha >= 0 && read.alpha <= 255);
    Check(Within(read.mainWindow, bounds) && Within(read.paper, bounds));
    for (const WorkStateCalendar &c : read.calendars)
        Check(Within(c.window, bounds) && c.alpha >= 0 && c.alpha <= 255);
    for (const WorkStatePhoto &p : read.photos)
        Check(Within(p.bounds, bounds));

    // Saved over the same file and read again: the same values.
    IniFile saved = ini;
    WriteWorkState(saved, read);
    IniFile again;
    again.Parse(saved.Serialize());
    Check(ReadWorkState(again, current, bounds, windows) == read);

    // Every key the writer does not own is still there with its value; only
    // the sections of photos beyond the last one go.
    // Which keys the writer owns depends only on the counts.
    static std::map<std::pair<std::size_t, std::size_t>, IniFile> ownedByCounts;
    const auto counts = std::pair(read.calendars.size(), read.photos.size());
    auto it = ownedByCounts.find(counts);
    if (it == ownedByCounts.end()) {
        it = ownedByCounts.emplace(counts, IniFile()).first;
        WriteWorkState(it->second, read);
    }
    const IniFile &owned = it->second;
    QSet<QString> erased;
    for (int k = int(read.photos.size()); ini.SectionExists(QStringLiteral("Image") + QString::number(k)); ++k)
        erased.insert((QStringLiteral("Image") + QString::number(k)).toLower());
    for (const QString &section : ini.Sections()) {
        if (erased.contains(section.toLower()))
            continue;
        for (const QString &key : ini.Keys(section)) {
            if (owned.ValueExists(section, key))
                continue;
            Check(again.ValueExists(section, key));
            Check(again.ReadString(section, key) == ini.ReadString(section, key));
        }
    }
}

void CheckFontRecord(const QByteArray &bytes)
{
    const FontRecordResult first = DecodeFontRecord(bytes);
    if (first.Status != FontRecordStatus::Ok)
        return;
    const QByteArray encoded = EncodeFontRecord(first.Record);
    Check(encoded.size() == kFontRecordSize);
    const FontRecordResult second = DecodeFontRecord(encoded);
    Check(second.Status == FontRecordStatus::Ok && second.Record == first.Record);
}

} // namespace

// Every run allocates many small strings; a short allocation history keeps
// the runs fast without hiding where a fault is.
extern "C" const char *__asan_default_options() { return "malloc_context_size=4:quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CheckFontRecord(bytes);
    // The bytes alone, or read before or after the keys of a whole file.
    const QByteArray whole(kTemplate);
    CheckWorkState(size % 3 == 0 ? bytes : size % 3 == 1 ? bytes + '\n' + whole : whole + bytes);
    return 0;
}
