#include "document_file.h"

#include <QDate>
#include <algorithm>

#include "document_drawing.h"
#include "document_edits.h"

namespace tamarie {

namespace {

QFont DesignFont(int pixels, bool bold)
{
    QFont f(QStringLiteral("MS UI Gothic"));
    f.setPointSizeF(pixels * 72.0 / 96.0);
    f.setBold(bold);
    return f;
}

QFont WithRecord(QFont font, const TCalendarFontRecord &r)
{
    font.setFamily(r.Name);
    ApplyFontStyleBits(font, r.Style);
    return font;
}

TCalendarFontRecord RecordOf(const QFont &face, const TFontCharsetNote &charset, int points, TColorValue color)
{
    TCalendarFontRecord r;
    r.Name = face.family();
    r.Charset = charset.CharsetFor(r.Name);
    r.Size = points;
    r.Style = FontStyleBits(face);
    r.Color = color;
    return r;
}

// A new calendar's values before the file's are set.
DocumentCalendar NewCalendar()
{
    DocumentCalendar c;
    c.gridFont = DesignGridFont();
    c.titleFont = DesignTitleFont();
    return c;
}

} // namespace

QFont DesignGridFont() { return DesignFont(19, false); }
QFont DesignTitleFont() { return DesignFont(19, true); }

WorkState WorkStateOf(const Document &d, const ScreenPlacement &screen)
{
    const QSize paper = screen.paper.size();
    const int N = std::min(d.CalendarCount(), kMaxCalendars);
    const DocumentSettings &set = d.settings;

    WorkState s;
    s.maximized = screen.maximized;
    s.mainWindow = screen.mainWindow;
    s.paper = screen.paper;
    s.orientation = d.paper.orientation;
    s.month = N > 0 ? d.calendars[0].month : 0;
    s.months = N;
    s.backColor = set.backColor;
    s.panelColor = set.panelColor;
    s.alpha = set.alpha;
    s.holidayColor = set.holidayColor;
    s.dayTextColor = set.dayTextColor;
    s.options = set.options;
    s.sameSize = set.sameSize;
    for (int n = 1; n <= N; ++n) {
        const DocumentCalendar &c = d.calendars[n - 1];
        WorkStateCalendar w;
        w.window = CalendarWindowRect(c, paper).translated(screen.paperOnScreen);
        w.backColor = c.backColor;
        w.alpha = c.alpha;
        w.panelColor = c.panelColor;
        w.holidayColor = c.holidayColor;
        w.dayTextColor = c.dayTextColor;
        // The title's face, style and colour with the grid font's size.
        w.font = {FontRecordStatus::Ok, RecordOf(c.titleFont, c.titleCharset, c.gridPoints, c.titleColor)};
        s.calendars.push_back(w);
    }
    for (const DocumentPhoto &p : d.photos)
        s.photos.push_back({PhotoRect(p, paper), p.fileName, p.quarterTurns});
    s.paperColor = d.paper.color;
    s.commonFont = {FontRecordStatus::Ok,
                    RecordOf(CommonFontFace(d), set.font.charset, CommonFontPoints(d), CommonFontColor(d))};
    return s;
}

Document DocumentOf(const WorkState &w, const ScreenPlacement &screen, const Document &current,
                    bool commonFaceInstalled, std::vector<bool> *fontFromFile)
{
    Document d = current;
    const QSize paper = screen.paper.size();
    d.paper.layoutSize = paper;

    // The common font, when its face is installed: from now on it is the
    // font OK gives, whatever calendar 1 is drawn with.
    if (w.commonFont.status == FontRecordStatus::Ok && commonFaceInstalled) {
        const TCalendarFontRecord &r = w.commonFont.record;
        CalendarFontChoice &font = d.settings.font;
        font.font = WithRecord(CommonFontFace(d), r);
        font.points = SaneFontPointSize(r.Size);
        font.color = r.Color;
        font.followsCalendar1 = false;
        font.charset = {r.Name, r.Charset};
    }

    DocumentSettings &set = d.settings;
    set.backColor = w.backColor;
    set.panelColor = w.panelColor;
    set.sameBackColor = false;
    set.alpha = w.alpha;
    set.holidayColor = w.holidayColor;
    set.dayTextColor = w.dayTextColor;
    set.options = w.options;
    set.sameSize = w.sameSize;

    // Each calendar: its place, month, colours and, from its font file, its fonts.
    const QDate first = ValueToDate(w.month);
    const int count = std::clamp(int(w.calendars.size()), 1, kMaxCalendars);
    while (d.calendars.size() > count)
        d.calendars.removeLast();
    while (d.calendars.size() < count)
        d.calendars.append(NewCalendar());
    std::vector<bool> fromFile(count, false);
    for (int n = 1; n <= count && n <= int(w.calendars.size()); ++n) {
        const WorkStateCalendar &f = w.calendars[n - 1];
        DocumentCalendar &c = d.calendars[n - 1];
        c.bounds = PlaceOf(f.window.translated(-screen.paperOnScreen), paper);
        c.scaleFrom = c.bounds;
        QDate month = first.addMonths(n - 1);
        if (!month.isValid() || month.year() > 9999)
            month = first;
        c.month = DateToValue(month);
        c.backColor = f.backColor;
        c.alpha = f.alpha;
        c.panelColor = f.panelColor;
        c.holidayColor = f.holidayColor;
        c.dayTextColor = f.dayTextColor;
        fromFile[n - 1] = f.font.status == FontRecordStatus::Ok;
        if (fromFile[n - 1]) {
            const TCalendarFontRecord &r = f.font.record;
            const int points = SaneFontPointSize(r.Size);
            c.gridFont = WithRecord(c.gridFont, r);
            c.gridPoints = points;
            c.titleFont = WithRecord(c.titleFont, r);
            c.titleColor = r.Color;
            c.titleCharset = {r.Name, r.Charset};
        }
    }
    // Laid out in order: the others may follow calendar 1's font.
    for (int n = 1; n <= count; ++n) {
        DocumentCalendar &c = d.calendars[n - 1];
        if (!fromFile[n - 1]) {
            c.gridFont.setFamily(CommonFontFace(d).family());
            c.titleFont = CommonFontFace(d);
            c.titleColor = CommonFontColor(d);
        }
        LayOutCalendarOnPaper(d, n, fromFile[n - 1]);
    }
    UpdateMonthTitles(d);
    KeepCalendarOrder(d);

    // As many photos as the file holds: new ones on top, surplus ones gone
    // from the top index down.
    const int photos = int(w.photos.size());
    while (d.photos.size() > photos)
        RemovePhoto(d, int(d.photos.size()) - 1);
    while (d.photos.size() < photos)
        AddPhoto(d, {});
    for (int i = 0; i < photos; ++i) {
        DocumentPhoto &p = d.photos[i];
        p.bounds = PlaceOf(w.photos[i].bounds, paper);
        p.scaleFrom = p.bounds;
        p.fileName = w.photos[i].fileName;
        p.quarterTurns = w.photos[i].quarterTurns;
    }
    d.selectedPhoto = photos > 0 ? 0 : -1;

    d.paper.color = w.paperColor;
    d.paper.orientation = w.orientation;
    if (fontFromFile)
        *fontFromFile = fromFile;
    return d;
}

} // namespace tamarie
