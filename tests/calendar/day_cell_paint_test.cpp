// The painting of whole day cells, done into an image and inspected pixel by
// pixel.  Holiday text is pure red and working-day text pure blue, so every
// inked pixel can be told apart by its colour.
#include "day_cell_painter.h"
#include "month_grid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace tamarie {
namespace {

constexpr TColorValue kHoliday = 0x0000FF;  // red
constexpr TColorValue kWorking = 0xFF0000;  // blue
constexpr TColorValue kBack = 0xFFFFFF;
constexpr int kCell = 60;

class FakeData : public DayCellData {
public:
    std::map<TDateValue, QString> national;
    std::map<TDateValue, bool> personal;
    std::map<TDateValue, DayCellSchedule> schedules;
    mutable int asked = 0;

    std::optional<QString> NationalHoliday(TDateValue d) const override
    {
        ++asked;
        const auto it = national.find(d);
        return it == national.end() ? std::nullopt : std::optional<QString>(it->second);
    }
    std::optional<bool> PersonalHolidayOf(TDateValue d) const override
    {
        ++asked;
        const auto it = personal.find(d);
        return it == personal.end() ? std::nullopt : std::optional<bool>(it->second);
    }
    std::optional<DayCellSchedule> ScheduleOf(TDateValue d) const override
    {
        ++asked;
        const auto it = schedules.find(d);
        return it == schedules.end() ? std::nullopt : std::optional<DayCellSchedule>(it->second);
    }
};

TDateValue Date(int y, int m, int d) { return DateToValue(QDate(y, m, d)); }

struct Ink {
    int red = 0;
    int blue = 0;
    int other = 0;  // anything neither background nor near one of the two colours
};

Ink InkIn(const QImage &image, const QRect &area)
{
    Ink ink;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            // Anti-aliased edges are paler but keep their hue.
            if (c.red() - std::max(c.green(), c.blue()) > 60)
                ++ink.red;
            else if (c.blue() - std::max(c.green(), c.red()) > 60)
                ++ink.blue;
            else if (c != Qt::white)
                ++ink.other;
        }
    return ink;
}

class DayCellPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TplCalendarFormCalendar>();
        grid->SetGridLineWidth(0);
        grid->resize(7 * kCell, 7 * kCell);
        font = QFont(QStringLiteral("IPAGothic"));
        font.setPointSize(14);
        grid->setFont(font);
        grid->SetCalendarDate(Date(2025, 3, 15));  // March 2025: the 1st is a Saturday
        in.BackgroundColor = kBack;
        in.HolidayColor = kHoliday;
        in.WorkingDayColor = kWorking;
        in.ShowAlmanac = false;
        in.HolidayOfWeek = {true, false, false, false, false, false, true};
        in.Data = &data;
    }

    // Paints one cell alone into a fresh image the size of the grid.
    QImage Paint(int col, int row)
    {
        QImage image(7 * kCell, 7 * kCell, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(font);
        PaintDayCell(p, Month(), col, row, CellRect(col, row), in);
        return image;
    }

    DayCellGrid Month() const { return DayCellGridOf(grid->CalendarDate(), in.FirstDayOfWeek); }
    static QRect CellRect(int col, int row) { return QRect(col * kCell, row * kCell, kCell, kCell); }

    // Where the number of a cell stands without the almanac (centred at the top).
    QRect NumberBox(int col, int row, const QString &text) const
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        const QFontMetrics m(font, &probe);
        const int tw = m.horizontalAdvance(text);
        return QRect(col * kCell + (kCell - tw) / 2, row * kCell, tw, m.height());
    }
    int NumberHeight() const
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        return QFontMetrics(font, &probe).height();
    }
    // The part of a cell under its number, where the small text goes.
    QRect UnderNumber(int col, int row) const
    {
        const int th = NumberHeight();
        return QRect(col * kCell, row * kCell + th, kCell, kCell - th);
    }

    std::unique_ptr<TplCalendarFormCalendar> grid;
    QFont font;
    FakeData data;
    DayCellInputs in;
};

// March 2025 with Sunday first: column c of row r holds day c - 5 + 7 (r - 1).
constexpr int kColSun = 0, kColWed = 3, kColThu = 4, kColSat = 6;

TEST_F(DayCellPaint, SundayTickedAsHolidayDrawsNumberAndHeaderInHolidayColour)
{
    const QImage day = Paint(kColSun, 2);  // 2 March, a Sunday
    const Ink number = InkIn(day, CellRect(kColSun, 2));
    EXPECT_GT(number.red, 5);
    EXPECT_EQ(number.blue, 0);

    const Ink sunday = InkIn(Paint(kColSun, 0), CellRect(kColSun, 0));
    EXPECT_GT(sunday.red, 5);
    EXPECT_EQ(sunday.blue, 0);
    const Ink monday = InkIn(Paint(1, 0), CellRect(1, 0));
    EXPECT_GT(monday.blue, 5);
    EXPECT_EQ(monday.red, 0);
}

TEST_F(DayCellPaint, HeaderCellsAskNothingAboutDates)
{
    Paint(kColWed, 0);
    EXPECT_EQ(data.asked, 0);
}

TEST_F(DayCellPaint, EnglishHeaderReadsSun)
{
    in.WeekDayMode = 1;
    const QImage painted = Paint(kColSun, 0);
    // The same word drawn independently at the centre top of the cell.
    QImage expected(painted.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        p.setFont(font);
        p.setPen(QColor(255, 0, 0));
        const QRect box = NumberBox(kColSun, 0, QStringLiteral("Sun"));
        p.drawText(box.left(), box.top() + p.fontMetrics().ascent(), QStringLiteral("Sun"));
    }
    EXPECT_EQ(painted, expected);
}

TEST_F(DayCellPaint, WorkingDayIsDrawnInTheWorkingColourOnly)
{
    const QImage image = Paint(kColThu, 2);  // 6 March, Thursday
    const Ink ink = InkIn(image, CellRect(kColThu, 2));
    EXPECT_GT(ink.blue, 5);
    EXPECT_EQ(ink.red, 0);
    EXPECT_EQ(InkIn(image, UnderNumber(kColThu, 2)).blue, 0);  // nothing under the number
}

TEST_F(DayCellPaint, NationalHolidayShowsItsNameInTheWorkingColour)
{
    data.national[Date(2025, 3, 20)] = QString::fromUtf8("春分の日");
    const QImage image = Paint(kColThu, 4);  // 20 March
    const Ink number = InkIn(image, NumberBox(kColThu, 4, "20"));
    EXPECT_GT(number.red, 5);
    EXPECT_EQ(number.blue, 0);
    EXPECT_GT(InkIn(image, UnderNumber(kColThu, 4)).blue, 5);
}

TEST_F(DayCellPaint, OverrideToWorkingDayBeatsTheNationalHoliday)
{
    const TDateValue d = Date(2025, 3, 20);
    data.national[d] = QString::fromUtf8("春分の日");
    data.personal[d] = false;
    const QImage image = Paint(kColThu, 4);
    const Ink number = InkIn(image, NumberBox(kColThu, 4, "20"));
    EXPECT_GT(number.blue, 5);
    EXPECT_EQ(number.red, 0);
    // The name is still drawn, now in the holiday colour.
    const Ink name = InkIn(image, UnderNumber(kColThu, 4));
    EXPECT_GT(name.red, 5);
    EXPECT_EQ(name.blue, 0);
}

TEST_F(DayCellPaint, OverrideToWorkingDayBeatsTheWeekdayRule)
{
    data.personal[Date(2025, 3, 1)] = false;  // a Saturday
    const Ink ink = InkIn(Paint(kColSat, 1), CellRect(kColSat, 1));
    EXPECT_GT(ink.blue, 5);
    EXPECT_EQ(ink.red, 0);
}

TEST_F(DayCellPaint, OverrideToHolidayOnAWorkingDay)
{
    data.personal[Date(2025, 3, 6)] = true;
    const Ink ink = InkIn(Paint(kColThu, 2), CellRect(kColThu, 2));
    EXPECT_GT(ink.red, 5);
    EXPECT_EQ(ink.blue, 0);
}

TEST_F(DayCellPaint, NthWeekRuleMarksOnlyTheTickedWeeks)
{
    in.HolidayOfWeekPartOf[3] = true;    // Wednesday
    in.HolidayOfWeekNumberOf[1] = true;  // second
    in.HolidayOfWeekNumberOf[3] = true;  // fourth
    const Ink second = InkIn(Paint(kColWed, 3), CellRect(kColWed, 3));  // 12 March, day 8..14
    EXPECT_GT(second.red, 5);
    EXPECT_EQ(second.blue, 0);
    const Ink fourth = InkIn(Paint(kColWed, 5), CellRect(kColWed, 5));  // 26 March
    EXPECT_GT(fourth.red, 5);
    const Ink first = InkIn(Paint(kColWed, 2), CellRect(kColWed, 2));   // 5 March
    EXPECT_GT(first.blue, 5);
    EXPECT_EQ(first.red, 0);
    const Ink third = InkIn(Paint(kColWed, 4), CellRect(kColWed, 4));   // 19 March
    EXPECT_EQ(third.red, 0);
}

TEST_F(DayCellPaint, ScheduleTextOnAWorkingDayIsInTheHolidayColour)
{
    data.schedules[Date(2025, 3, 6)] = DayCellSchedule{QStringLiteral("abc"), 0};
    const QImage image = Paint(kColThu, 2);
    const Ink under = InkIn(image, UnderNumber(kColThu, 2));
    EXPECT_GT(under.red, 3);
    EXPECT_EQ(under.blue, 0);
}

TEST_F(DayCellPaint, ScheduleTextOnANationalHolidayIsFollowedByItsName)
{
    const TDateValue d = Date(2025, 3, 20);
    data.national[d] = QStringLiteral("HH");
    data.schedules[d] = DayCellSchedule{QStringLiteral("ab"), 0};
    const QImage both = Paint(kColThu, 4);
    data.schedules[d] = DayCellSchedule{QStringLiteral("ab"), 0};
    data.national.clear();
    data.personal[d] = true;  // same number colour, no name
    const QImage alone = Paint(kColThu, 4);
    // "ab HH" inks more of the small line than "ab" alone.
    EXPECT_GT(InkIn(both, UnderNumber(kColThu, 4)).blue, InkIn(alone, UnderNumber(kColThu, 4)).blue + 3);
}

TEST_F(DayCellPaint, EmptyScheduleTextStillShowsTheHolidayName)
{
    const TDateValue d = Date(2025, 3, 20);
    data.national[d] = QStringLiteral("HH");
    data.schedules[d] = DayCellSchedule{QString(), 0};
    EXPECT_GT(InkIn(Paint(kColThu, 4), UnderNumber(kColThu, 4)).blue, 3);
}

TEST_F(DayCellPaint, BoxMarkRunsAroundTheNumberTwoPixelsOut)
{
    data.schedules[Date(2025, 3, 6)] = DayCellSchedule{QString(), 2};
    const QImage image = Paint(kColThu, 2);
    const QRect box = NumberBox(kColThu, 2, "6");
    // Left edge of the frame at box.left - 2, half way down; bottom edge at box.bottom + 2.
    const int left = box.left() - 2, bottom = box.top() + box.height() + 2;
    const int midY = box.top() + box.height() / 2, midX = box.left() + box.width() / 2;
    EXPECT_EQ(image.pixelColor(left, midY), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(left - 1, midY), QColor(0, 0, 255));  // 3 pixels wide
    EXPECT_EQ(image.pixelColor(left + 1, midY), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(left - 3, midY), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(midX, bottom), QColor(0, 0, 255));
}

TEST_F(DayCellPaint, RingMarkIsNotFilled)
{
    data.schedules[Date(2025, 3, 6)] = DayCellSchedule{QString(), 1};
    const QImage image = Paint(kColThu, 2);
    const QRect box = NumberBox(kColThu, 2, "6");
    const int midY = box.top() + box.height() / 2;
    EXPECT_EQ(image.pixelColor(box.left() - 2, midY), QColor(0, 0, 255));     // the ring's left side
    EXPECT_EQ(image.pixelColor(box.left() - 6, midY), QColor(Qt::white));     // outside it
    EXPECT_EQ(image.pixelColor(box.left() + 2, box.top() + 1), QColor(Qt::white));  // inside, unfilled corner
}

TEST_F(DayCellPaint, UnknownMarkDrawsNothingAroundTheNumber)
{
    data.schedules[Date(2025, 3, 6)] = DayCellSchedule{QString(), 9};
    const QImage with = Paint(kColThu, 2);
    data.schedules.clear();
    EXPECT_EQ(with, Paint(kColThu, 2));
}

TEST_F(DayCellPaint, MarkTakesTheHolidayColourOnAHoliday)
{
    data.schedules[Date(2025, 3, 2)] = DayCellSchedule{QString(), 2};  // Sunday
    const QImage image = Paint(kColSun, 2);
    const QRect box = NumberBox(kColSun, 2, "2");
    EXPECT_EQ(image.pixelColor(box.left() - 2, box.top() + box.height() / 2), QColor(255, 0, 0));
}

TEST_F(DayCellPaint, AlmanacLabelsStandBesideAndUnderTheNumber)
{
    in.ShowAlmanac = true;
    in.Rokuyo = [](TDateValue) { return QString::fromUtf8("大安"); };
    in.Sekki = [](TDateValue) { return QString(); };  // code 27: no term
    const QImage noTerm = Paint(kColThu, 4);
    in.Sekki = [](TDateValue) { return QString::fromUtf8("春分"); };
    const QImage term = Paint(kColThu, 4);
    // The term label goes under the rokuyo label, in the right half of the cell.
    const int th = NumberHeight();
    const QRect underLabel(kColThu * kCell + kCell / 2, 4 * kCell + th / 2 + 1, kCell / 2, th);
    EXPECT_EQ(InkIn(noTerm, underLabel).blue, 0);
    EXPECT_GT(InkIn(term, underLabel).blue, 3);
    // The number moves left of the centre to make room for the label.
    const QRect centred = NumberBox(kColThu, 4, "20");
    const QRect leftOfCentre(kColThu * kCell, 4 * kCell, centred.left() - kColThu * kCell, th);
    EXPECT_GT(InkIn(term, leftOfCentre).blue, 3);
}

TEST_F(DayCellPaint, AlmanacIsNotAskedForHeaderOrEmptyCells)
{
    in.ShowAlmanac = true;
    int calls = 0;
    in.Rokuyo = [&calls](TDateValue) { ++calls; return QString(); };
    in.Sekki = [&calls](TDateValue) { ++calls; return QString(); };
    Paint(kColThu, 0);
    Paint(0, 1);  // before the 1st
    EXPECT_EQ(calls, 0);
    Paint(kColThu, 2);
    EXPECT_EQ(calls, 2);
}

TEST_F(DayCellPaint, EmptyCellIsOnlyBackground)
{
    in.BackgroundColor = 0x00FF00;  // green
    const QImage image = Paint(0, 1);
    const QRect r = CellRect(0, 1);
    for (int y = r.top(); y <= r.bottom(); y += 7)
        for (int x = r.left(); x <= r.right(); x += 7)
            ASSERT_EQ(image.pixelColor(x, y), QColor(0, 255, 0));
    // Nothing outside the cell is touched.
    EXPECT_EQ(image.pixelColor(r.right() + 1, r.top()), QColor(Qt::white));
}

TEST_F(DayCellPaint, FontSizeInPixelsCountsInPointsOfTheDevice)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dots per inch
    image.setDotsPerMeterY(3780);
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(20);
    EXPECT_EQ(FontPointSize(f, &image), 15);  // 20 * 72 / 96
    f.setPointSize(11);
    EXPECT_EQ(FontPointSize(f, &image), 11);
    EXPECT_EQ(FontOfPointSize(f, 0).pointSize(), 1);  // labels of a tiny font stay drawable
    EXPECT_EQ(FontOfPointSize(f, 5).pointSize(), 5);
}

TEST_F(DayCellPaint, TinyCellsDoNotCrash)
{
    data.schedules[Date(2025, 3, 6)] = DayCellSchedule{QString(200, QChar(0x3042)), 3};
    data.national[Date(2025, 3, 6)] = QStringLiteral("HH");
    in.ShowAlmanac = true;
    in.Rokuyo = [](TDateValue) { return QString::fromUtf8("大安"); };
    in.Sekki = [](TDateValue) { return QString::fromUtf8("春分"); };
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QFont f = font;
    f.setPointSize(1);
    p.setFont(f);
    for (const QRect &r : {QRect(0, 0, 0, 0), QRect(0, 0, 1, 1), QRect(0, 0, 3, 2)})
        PaintDayCell(p, Month(), kColThu, 2, r, in);
    p.end();
    // Everything stays inside the cells, however little room they leave.
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(3, 0), QColor(Qt::white));
}

} // namespace
} // namespace tamarie
