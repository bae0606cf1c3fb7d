// The document value, its history and its translation to and from the
// work-state file's values.
#include <gtest/gtest.h>

#include "document_drawing.h"
#include "document_file.h"
#include "document_history.h"

using namespace tamarie;

namespace {

WorkState TwoCalendarsTwoPhotos()
{
    WorkState w;
    w.mainWindow = QRect(10, 20, 1200, 900);
    w.paper = QRect(0, 0, 500, 700);
    w.orientation = 0;
    w.month = DateToValue(QDate(2025, 12, 1));
    w.months = 2;
    w.backColor = 0x102030;
    w.panelColor = 0x405060;
    w.alpha = 120;
    w.holidayColor = 0x0000FF;
    w.dayTextColor = 0x00FF00;
    w.options.firstDayOfWeek = 1;
    w.options.monthMode = 6;
    w.sameSize = true;
    for (int n = 1; n <= 2; ++n) {
        WorkStateCalendar c;
        c.window = QRect(100 + 40 * n, 300 + 10 * n, 250 + n, 200 - n);
        c.backColor = 0x111111 * n;
        c.alpha = 50 * n;
        c.panelColor = 0x010101 * n;
        c.holidayColor = 0x0000F0 + n;
        c.dayTextColor = 0x000010 * n;
        c.font = {FontRecordStatus::Ok, {QStringLiteral("Noto Sans CJK JP"), 128, 10 + n, kFontStyleBold, 0x123456}};
        w.calendars.push_back(c);
    }
    w.photos = {{QRect(6, 7, 385, 280), QStringLiteral("/photos/a.jpg")}, {QRect(-30, 600, 90, 1), QString()}};
    w.paperColor = 0xABCDEF;
    w.commonFont = {FontRecordStatus::Ok, {QStringLiteral("Noto Serif CJK JP"), 1, 12, kFontStyleItalic, 0x654321}};
    return w;
}

ScreenPlacement PlacementOf(const WorkState &w)
{
    return {w.maximized, w.mainWindow, w.paper, QPoint(37, 61)};
}

Document Moved(Document d, int n, double left)
{
    d.calendars[n - 1].bounds.left = left;
    return d;
}

} // namespace

TEST(DocumentFile, FileValuesComeBackAsTheyWereAndSpeakOfThePaper)
{
    const WorkState w = TwoCalendarsTwoPhotos();
    Document start;
    start.settings.font.followsCalendar1 = false;
    start.calendars.append(DocumentCalendar{});
    std::vector<bool> fromFile;
    const Document d = DocumentOf(w, PlacementOf(w), start, true, &fromFile);

    EXPECT_EQ(fromFile, std::vector<bool>({true, true}));
    ASSERT_EQ(d.CalendarCount(), 2);
    // Calendar windows are on the paper now, not on the screen.
    EXPECT_DOUBLE_EQ(d.calendars[0].bounds.left, (140 - 37) / 500.0);
    EXPECT_DOUBLE_EQ(d.calendars[1].bounds.top, (320 - 61) / 700.0);
    EXPECT_EQ(ValueToDate(d.calendars[1].month), QDate(2026, 1, 1));
    EXPECT_EQ(d.calendars[1].title, QStringLiteral("令和8年1月"));
    EXPECT_EQ(d.calendars[0].titlePoints, 16);  // 11 points at 1.5 times, halves to even
    EXPECT_EQ(d.photoOrder, QList<int>({0, 1}));
    EXPECT_EQ(d.selectedPhoto, 0);

    EXPECT_EQ(WorkStateOf(d, PlacementOf(w)), w);

    // Drawn on a paper twice as large, everything keeps its place on it.
    ScreenPlacement larger = PlacementOf(w);
    larger.paper.setSize(QSize(1000, 1400));
    const WorkState twice = WorkStateOf(d, larger);
    EXPECT_EQ(twice.photos[0].bounds, QRect(12, 14, 770, 560));
    EXPECT_EQ(twice.calendars[0].window.topLeft(), QPoint(37 + 2 * 103, 61 + 2 * 249));
}

TEST(DocumentFile, FewerPhotosLeaveFromTheTopAndKeepTheOthersStacking)
{
    WorkState w = TwoCalendarsTwoPhotos();
    Document current;
    current.calendars.append(DocumentCalendar{});
    for (int i = 0; i < 3; ++i)
        AddPhoto(current, {});
    SendPhotoToBack(current, 2);  // 2, 0, 1
    w.photos.resize(2);
    const Document d = DocumentOf(w, PlacementOf(w), current, false);
    EXPECT_EQ(d.photoOrder, QList<int>({0, 1}));
    // Deleting photo 0 of three: photo 2 moves to index 1 in the stacking place of index 1.
    Document e = current;
    RemovePhoto(e, 0);
    EXPECT_EQ(e.photoOrder, QList<int>({0, 1}));
    BringPhotoToFront(current, 0);
    RemovePhoto(current, 1);
    EXPECT_EQ(current.photoOrder, QList<int>({1, 0}));
}

TEST(DocumentHistory, StepsUndoOnlyWhatTheyChangedAndRunsMerge)
{
    DocumentHistory h;
    Document start;
    start.calendars = {DocumentCalendar{}, DocumentCalendar{}};
    KeepCalendarOrder(start);
    h.Reset(start, true);
    EXPECT_FALSE(h.Modified());

    // A drag: three moves of calendar 1, one step.
    for (double left : {0.1, 0.2, 0.3})
        h.Apply(QStringLiteral("カレンダーの移動"), Moved(h.Current(), 1, left), {kMergeCalendarMove, 7});
    EXPECT_EQ(h.Stack()->count(), 1);
    EXPECT_TRUE(h.Modified());
    // A window manager moves calendar 2 meanwhile: no step, and it stays.
    h.Adjust(Moved(h.Current(), 2, 0.9));
    EXPECT_EQ(h.Stack()->count(), 1);
    h.Stack()->undo();
    EXPECT_EQ(h.Current().calendars[0].bounds.left, 0.0);
    EXPECT_EQ(h.Current().calendars[1].bounds.left, 0.9);
    EXPECT_FALSE(h.Modified());
    h.Stack()->redo();
    EXPECT_EQ(h.Current().calendars[0].bounds.left, 0.3);

    // Another drag is another step; one that ends where it began is none.
    h.Apply(QStringLiteral("カレンダーの移動"), Moved(h.Current(), 1, 0.5), {kMergeCalendarMove, 8});
    h.Apply(QStringLiteral("カレンダーの移動"), Moved(h.Current(), 1, 0.3), {kMergeCalendarMove, 8});
    EXPECT_EQ(h.Stack()->count(), 1);
    EXPECT_EQ(h.Stack()->undoText(), QStringLiteral("カレンダーの移動"));

    // Steps that do not change the document leave it unmodified.
    h.MarkSaved();
    h.Push(new QUndoCommand(QStringLiteral("予定")));
    EXPECT_FALSE(h.Modified());
    h.Reset(start, false);
    EXPECT_TRUE(h.Modified());
    EXPECT_EQ(h.Stack()->count(), 0);
}

TEST(DocumentDrawing, CalendarsAreLaidOutForTheirWindows)
{
    DocumentCalendar c;
    c.bounds = PlaceOf(QRect(0, 0, 221, 190), QSize(500, 700));
    LayOutCalendar(c, 275);
    EXPECT_EQ(c.gridPoints, 11);
    EXPECT_EQ(c.titlePoints, 16);  // 16.5 to even
    EXPECT_GT(c.titleHeight, 10);
    const CalendarInnerRects r = CalendarInnerRectsFor(QSize(221, 190), 30);
    EXPECT_EQ(r.grid, QRect(2, 30, 217, 154));
    // A calendar shrunk to nothing still shows its title.
    c.bounds.width = -0.01;
    EXPECT_EQ(CalendarWindowRect(c, QSize(500, 700)).size(), QSize(40, 190));
}
