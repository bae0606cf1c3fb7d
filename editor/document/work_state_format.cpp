#include "work_state_format.h"

#include <algorithm>

namespace tamarie {

namespace {

const QString kForm = QStringLiteral("Form1");
const QString kPanel = QStringLiteral("Panel");
const QString kHoko = QStringLiteral("Hoko");
const QString kCalendar = QStringLiteral("Calendar");
const QString kImage = QStringLiteral("Image");
const QString kPaper = QStringLiteral("Paper");

QString Num(int n) { return QString::number(n); }
QString CalendarSection(int n) { return QStringLiteral("CalForm") + Num(n); }
QString PhotoSection(int i) { return kImage + Num(i); }

QRect ReadRect(const IniFile &ini, const QString &section, const QRect &def, const WorkStateBounds &bounds)
{
    return bounds.Clamp(ini.ReadInteger(section, QStringLiteral("Left"), def.x()),
                        ini.ReadInteger(section, QStringLiteral("Top"), def.y()),
                        ini.ReadInteger(section, QStringLiteral("Width"), def.width()),
                        ini.ReadInteger(section, QStringLiteral("Height"), def.height()));
}

void WriteRect(IniFile &ini, const QString &section, const QRect &r)
{
    ini.WriteInteger(section, QStringLiteral("Left"), r.x());
    ini.WriteInteger(section, QStringLiteral("Top"), r.y());
    ini.WriteInteger(section, QStringLiteral("Width"), r.width());
    ini.WriteInteger(section, QStringLiteral("Height"), r.height());
}

// An item index of a choice of count items; -1 chooses none.  Anything else
// leaves the choice as it is, as the choice itself does.
int ReadItem(const IniFile &ini, const QString &section, const QString &key, int current, int count)
{
    const std::int32_t v = ini.ReadInteger(section, key, current);
    return v >= -1 && v < count ? int(v) : current;
}

// The file's photo count, or for a count no file of ours holds, the photo
// sections present in a row (at most the maximum).
int PhotoCountToRead(const IniFile &ini)
{
    const std::int32_t m = ini.ReadInteger(kImage, QStringLiteral("Count"), 0);
    if (m >= 0 && m <= kMaxWorkStatePhotos)
        return m;
    int present = 0;
    while (present < kMaxWorkStatePhotos && ini.SectionExists(PhotoSection(present)))
        ++present;
    return present;
}

const QString kRotation = QStringLiteral("Rotation");

WorkStatePhoto ReadPhoto(const IniFile &ini, const QString &section, const WorkStateBounds &bounds)
{
    // Quarter turns only; any other angle is no rotation.
    const std::int32_t degrees = ini.ReadInteger(section, kRotation, 0);
    const int turns = degrees % 90 == 0 ? int(((degrees / 90) % 4 + 4) % 4) : 0;
    return {ReadRect(ini, section, QRect(0, 0, 0, 0), bounds), ini.ReadString(section, QStringLiteral("FileName")),
            turns};
}

WorkStateFont ReadFont(const QString &path)
{
    const FontRecordResult r = ReadFontRecordFile(path);
    return {r.Status, r.Record};
}

} // namespace

int WorkStateBounds::maxWidth() const
{
    return std::clamp(desktop.width(), kMinDesktopExtent.width(), kMaxDesktopExtent);
}

int WorkStateBounds::maxHeight() const
{
    return std::clamp(desktop.height(), kMinDesktopExtent.height(), kMaxDesktopExtent);
}

QRect WorkStateBounds::Clamp(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) const
{
    const int w = maxWidth();
    const int h = maxHeight();
    const int x0 = std::clamp(desktop.x(), -kMaxDesktopExtent, kMaxDesktopExtent);
    const int y0 = std::clamp(desktop.y(), -kMaxDesktopExtent, kMaxDesktopExtent);
    // Clamped before the rectangle is made, so its right and bottom cannot overflow.
    return QRect(std::clamp(x, x0 - 2 * w, x0 + 3 * w), std::clamp(y, y0 - 2 * h, y0 + 3 * h),
                 std::clamp(width, 0, w), std::clamp(height, 0, h));
}

WorkState ReadWorkState(const IniFile &ini, const WorkState &current, const WorkStateBounds &bounds,
                        const std::vector<QRect> &windows)
{
    WorkState s;
    s.maximized = ini.ReadBool(kForm, QStringLiteral("IsMaximized"), false);
    s.mainWindow = ReadRect(ini, kForm, current.mainWindow, bounds);
    s.paper = ReadRect(ini, kPanel, QRect(0, 0, current.paper.width(), current.paper.height()), bounds);
    s.orientation = ReadItem(ini, kHoko, QStringLiteral("Value"), current.orientation, 2);

    const QString c = kCalendar;
    s.month = ini.ReadDate(c, QStringLiteral("Month"), current.month);
    s.months = ini.ReadInteger(c, QStringLiteral("Months"), 1);
    s.backColor = ini.ReadColor(c, QStringLiteral("BackColor"), current.backColor);
    s.panelColor = ini.ReadColor(c, QStringLiteral("PanelColor"), current.panelColor);
    s.alpha = std::clamp<std::int32_t>(ini.ReadInteger(c, QStringLiteral("AlphaBlendValue"), current.alpha), 0, 255);
    s.holidayColor = ini.ReadColor(c, QStringLiteral("HolidayTextColor"), clRed);
    s.dayTextColor = ini.ReadColor(c, QStringLiteral("DayTextColor"), clBlack);
    s.options.firstDayOfWeek = ReadItem(ini, c, QStringLiteral("StartOfWeek"), current.options.firstDayOfWeek, 7);
    s.options.monthMode = ReadItem(ini, c, QStringLiteral("MonthMode"), current.options.monthMode, 7);
    s.options.weekDayMode = ReadItem(ini, c, QStringLiteral("WeekDayMode"), current.options.weekDayMode, 2);
    s.options.showAlmanac = ini.ReadBool(c, QStringLiteral("ShowRokuyo"), current.options.showAlmanac);
    s.sameSize = ini.ReadBool(c, QStringLiteral("SameSize"), false);

    const int count = WorkStateCalendarCount(ini, int(current.calendars.size()));
    for (int n = 1; n <= count; ++n) {
        WorkStateCalendar cal;
        const QRect def = n <= int(windows.size()) ? windows[n - 1] : QRect();
        cal.window = ReadRect(ini, CalendarSection(n), def, bounds);
        cal.backColor = ini.ReadColor(c, QStringLiteral("BackColor_") + Num(n), s.backColor);
        // Only the low eight bits of the number count.
        cal.alpha = ini.ReadBool(c, QStringLiteral("Transparent") + Num(n), false)
                        ? 0
                        : ini.ReadInteger(c, QStringLiteral("AlphaBlendValue_") + Num(n), s.alpha) & 0xFF;
        cal.panelColor = ini.ReadColor(c, QStringLiteral("PanelColor_") + Num(n), s.panelColor);
        cal.holidayColor = ini.ReadColor(c, QStringLiteral("HolidayTextColor") + Num(n), clRed);
        cal.dayTextColor = ini.ReadColor(c, QStringLiteral("DayTextColor") + Num(n), clBlack);
        s.calendars.push_back(cal);
    }

    if (HasOlderPhotoLayout(ini)) {
        s.photos.push_back(ReadPhoto(ini, kImage, bounds));
    } else {
        const int m = PhotoCountToRead(ini);
        for (int i = 0; i < m; ++i)
            s.photos.push_back(ReadPhoto(ini, PhotoSection(i), bounds));
    }

    s.paperColor = ini.ReadColor(kPaper, QStringLiteral("Color"), clWhite);
    s.commonFont = current.commonFont;
    return s;
}

int WorkStateCalendarCount(const IniFile &ini, int current)
{
    return std::clamp<std::int32_t>(ini.ReadInteger(kCalendar, QStringLiteral("Count"), current), 1, kMaxCalendars);
}

bool HasOlderPhotoLayout(const IniFile &ini) { return ini.ValueExists(kImage, QStringLiteral("Left")); }

WorkStateFont ReadCommonFontFile(const QString &iniPath) { return ReadFont(CommonFontFilePath(iniPath)); }

void ReadCalendarFontFiles(const QString &iniPath, WorkState &state)
{
    for (std::size_t n = 1; n <= state.calendars.size(); ++n)
        state.calendars[n - 1].font = ReadFont(CalendarFontFilePath(iniPath, int(n)));
}

void WriteWorkState(IniFile &ini, const WorkState &state)
{
    const int N = std::min<int>(int(state.calendars.size()), kMaxCalendars);
    const int M = int(state.photos.size());
    auto cal = [&state](int n) -> const WorkStateCalendar & { return state.calendars[n - 1]; };

    ini.WriteBool(kForm, QStringLiteral("IsMaximized"), state.maximized);
    WriteRect(ini, kForm, state.mainWindow);
    WriteRect(ini, kPanel, state.paper);
    ini.WriteInteger(kHoko, QStringLiteral("Value"), state.orientation);

    // The calendars, key group by key group.
    const QString c = kCalendar;
    ini.WriteDate(c, QStringLiteral("Month"), state.month);
    ini.WriteInteger(c, QStringLiteral("Months"), state.months);
    ini.WriteColor(c, QStringLiteral("BackColor"), state.backColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("BackColor_") + Num(n), cal(n).backColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteBool(c, QStringLiteral("Transparent") + Num(n), cal(n).alpha == 0);
    ini.WriteColor(c, QStringLiteral("PanelColor"), state.panelColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("PanelColor_") + Num(n), cal(n).panelColor);
    ini.WriteInteger(c, QStringLiteral("AlphaBlendValue"), state.alpha);
    for (int n = 1; n <= N; ++n)
        ini.WriteInteger(c, QStringLiteral("AlphaBlendValue_") + Num(n), cal(n).alpha);
    ini.WriteColor(c, QStringLiteral("HolidayTextColor"), state.holidayColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("HolidayTextColor") + Num(n), cal(n).holidayColor);
    ini.WriteColor(c, QStringLiteral("DayTextColor"), state.dayTextColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("DayTextColor") + Num(n), cal(n).dayTextColor);
    ini.WriteInteger(c, QStringLiteral("StartOfWeek"), state.options.firstDayOfWeek);
    ini.WriteInteger(c, QStringLiteral("MonthMode"), state.options.monthMode);
    ini.WriteInteger(c, QStringLiteral("WeekDayMode"), state.options.weekDayMode);
    ini.WriteBool(c, QStringLiteral("ShowRokuyo"), state.options.showAlmanac);
    ini.WriteBool(c, QStringLiteral("SameSize"), state.sameSize);
    ini.WriteInteger(c, QStringLiteral("Count"), N);

    for (int n = 1; n <= N; ++n)
        WriteRect(ini, CalendarSection(n), cal(n).window);

    ini.WriteInteger(kImage, QStringLiteral("Count"), M);
    // A file of the older single-photo layout takes the new one on saving.
    for (const char *key : {"Left", "Top", "Width", "Height", "FileName"})
        ini.EraseKey(kImage, QString::fromLatin1(key));
    for (int i = 0; i < M; ++i) {
        WriteRect(ini, PhotoSection(i), state.photos[i].bounds);
        ini.WriteString(PhotoSection(i), QStringLiteral("FileName"), state.photos[i].fileName);
        if (const int turns = state.photos[i].quarterTurns % 4)
            ini.WriteInteger(PhotoSection(i), kRotation, 90 * turns);
        else
            ini.EraseKey(PhotoSection(i), kRotation);
    }
    // Sections of photos that no longer exist, up to the first gap.
    for (int k = M; ini.SectionExists(PhotoSection(k)); ++k)
        ini.EraseSection(PhotoSection(k));

    ini.WriteColor(kPaper, QStringLiteral("Color"), state.paperColor);
}

std::vector<std::pair<QString, TCalendarFontRecord>> WorkStateFontFiles(const QString &iniPath,
                                                                        const WorkState &state)
{
    std::vector<std::pair<QString, TCalendarFontRecord>> files;
    if (state.commonFont.status == FontRecordStatus::Ok)
        files.emplace_back(CommonFontFilePath(iniPath), state.commonFont.record);
    for (std::size_t n = 1; n <= state.calendars.size() && n <= std::size_t(kMaxCalendars); ++n)
        if (state.calendars[n - 1].font.status == FontRecordStatus::Ok)
            files.emplace_back(CalendarFontFilePath(iniPath, int(n)), state.calendars[n - 1].font.record);
    return files;
}

} // namespace tamarie
