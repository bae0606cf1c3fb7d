// Decisions of the day-cell painting that need no display: labels, sizes,
// weekday of a column, the holiday colour rule and the mark outlines.
#include "day_cell_painter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamarie {
namespace {

TEST(DayCellLabels, RokuyoByIndex)
{
    EXPECT_EQ(RokuyoLabel(0), QString::fromUtf8("先勝"));
    EXPECT_EQ(RokuyoLabel(3), QString::fromUtf8("仏滅"));
    EXPECT_EQ(RokuyoLabel(5), QString::fromUtf8("赤口"));
    EXPECT_TRUE(RokuyoLabel(6).isEmpty());
    EXPECT_TRUE(RokuyoLabel(-1).isEmpty());
}

TEST(DayCellLabels, SolarTermByCode)
{
    EXPECT_EQ(SekkiLabel(0), QString::fromUtf8("土用"));
    EXPECT_EQ(SekkiLabel(4), QString::fromUtf8("春分"));
    EXPECT_EQ(SekkiLabel(16), QString::fromUtf8("秋分"));
    EXPECT_EQ(SekkiLabel(24), QString::fromUtf8("大寒"));
    EXPECT_EQ(SekkiLabel(26), QString::fromUtf8("半夏生"));
    EXPECT_TRUE(SekkiLabel(27).isEmpty());  // a day without term
    EXPECT_TRUE(SekkiLabel(-3).isEmpty());
    EXPECT_TRUE(SekkiLabel(100).isEmpty());
}

TEST(DayCellLabels, EnglishWeekdays)
{
    EXPECT_EQ(EnglishWeekdayName(0), "Sun");
    EXPECT_EQ(EnglishWeekdayName(6), "Sat");
    EXPECT_TRUE(EnglishWeekdayName(7).isEmpty());
}

TEST(DayCellSizes, LabelSizeIsFortyFivePercentHalvesToEven)
{
    EXPECT_EQ(LabelFontSize(10), 4);  // 4.5 -> 4
    EXPECT_EQ(LabelFontSize(11), 5);  // 4.95
    EXPECT_EQ(LabelFontSize(30), 14); // 13.5 -> 14
    EXPECT_EQ(LabelFontSize(50), 22); // 22.5 -> 22
    EXPECT_EQ(LabelFontSize(0), 0);
}

TEST(DayCellWeekday, ColumnWeekdayWrapsAroundTheWeek)
{
    EXPECT_EQ(ColumnWeekday(0, 0), 0);
    EXPECT_EQ(ColumnWeekday(0, 6), 6);
    EXPECT_EQ(ColumnWeekday(3, 0), 3);
    EXPECT_EQ(ColumnWeekday(3, 6), 2);  // Wednesday start: last column is Tuesday
    EXPECT_EQ(ColumnWeekday(6, 1), 0);
}

TEST(DayCellWeekday, WeekOfMonth)
{
    EXPECT_EQ(WeekOfMonth(1), 0);
    EXPECT_EQ(WeekOfMonth(7), 0);
    EXPECT_EQ(WeekOfMonth(8), 1);
    EXPECT_EQ(WeekOfMonth(28), 3);
    EXPECT_EQ(WeekOfMonth(29), 4);
    EXPECT_EQ(WeekOfMonth(31), 4);
}

HolidayFacts Facts(bool everyWeek, bool nthWeek, bool national, std::optional<bool> personal)
{
    HolidayFacts f;
    f.everyWeek = everyWeek;
    f.nthWeek = nthWeek;
    f.national = national;
    f.personal = personal;
    return f;
}

TEST(DayCellColour, EachRuleAloneMakesAHoliday)
{
    EXPECT_FALSE(DrawsAsHoliday(Facts(false, false, false, std::nullopt)));
    EXPECT_TRUE(DrawsAsHoliday(Facts(true, false, false, std::nullopt)));
    EXPECT_TRUE(DrawsAsHoliday(Facts(false, true, false, std::nullopt)));
    EXPECT_TRUE(DrawsAsHoliday(Facts(false, false, true, std::nullopt)));
    EXPECT_TRUE(DrawsAsHoliday(Facts(false, false, false, true)));
}

TEST(DayCellColour, OverrideBeatsEveryOtherRule)
{
    EXPECT_FALSE(DrawsAsHoliday(Facts(false, false, true, false)));
    EXPECT_FALSE(DrawsAsHoliday(Facts(true, true, true, false)));
    EXPECT_FALSE(DrawsAsHoliday(Facts(true, false, false, false)));
    EXPECT_TRUE(DrawsAsHoliday(Facts(false, false, false, true)));
}

TEST(DayCellColour, SmallTextContrastsWithTheNumber)
{
    const TColorValue holiday = clRed, working = clBlack;
    EXPECT_EQ(SmallTextColor(holiday, holiday, working), working);
    EXPECT_EQ(SmallTextColor(working, holiday, working), holiday);
    // Same colour for both: the small text takes it too.
    EXPECT_EQ(SmallTextColor(clBlack, clBlack, clBlack), clBlack);
}

TEST(DayCellMark, FrameIsTheNumberBoxWidenedByTwo)
{
    // A number 20 wide and 16 high at (30, 0).
    const CellBox frame = MarkFrame(CellBox{30, 0, 50, 16});
    EXPECT_EQ(frame.left, 28);
    EXPECT_EQ(frame.top, -2);
    EXPECT_EQ(frame.right, 52);
    EXPECT_EQ(frame.bottom, 18);
}

TEST(DayCellMark, RingIsInscribedInTheFrame)
{
    const MarkShape s = ScheduleMarkShape(1, CellBox{28, -2, 52, 18});
    ASSERT_EQ(s.kind, MarkShape::Ellipse);
    EXPECT_EQ(s.ellipse, QRect(QPoint(28, -2), QSize(24, 20)));
}

TEST(DayCellMark, BoxRunsDownRightUpAndBack)
{
    const MarkShape s = ScheduleMarkShape(2, CellBox{28, -2, 52, 18});
    ASSERT_EQ(s.kind, MarkShape::Polyline);
    const QPolygon expected({QPoint(28, -2), QPoint(28, 18), QPoint(52, 18), QPoint(52, -2), QPoint(28, -2)});
    EXPECT_EQ(s.polyline, expected);
}

TEST(DayCellMark, TriangleHasItsApexAtTheMiddleOfTheTop)
{
    const MarkShape s = ScheduleMarkShape(3, CellBox{27, -2, 52, 18});
    ASSERT_EQ(s.kind, MarkShape::Polyline);
    const QPolygon expected({QPoint(27, 18), QPoint(52, 18), QPoint(39, -2), QPoint(27, 18)});  // (27+52) div 2
    EXPECT_EQ(s.polyline, expected);
}

TEST(DayCellMark, CrossJoinsOppositeCorners)
{
    const MarkShape s = ScheduleMarkShape(4, CellBox{28, -2, 52, 18});
    ASSERT_EQ(s.kind, MarkShape::Lines);
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0], QLine(28, -2, 52, 18));
    EXPECT_EQ(s.lines[1], QLine(52, -2, 28, 18));
}

TEST(DayCellMark, OtherNumbersDrawNothing)
{
    EXPECT_EQ(ScheduleMarkShape(0, CellBox{0, 0, 10, 10}).kind, MarkShape::None);
    EXPECT_EQ(ScheduleMarkShape(5, CellBox{0, 0, 10, 10}).kind, MarkShape::None);
    EXPECT_EQ(ScheduleMarkShape(-1, CellBox{0, 0, 10, 10}).kind, MarkShape::None);
}

} // namespace
} // namespace tamarie

namespace tamarie {
namespace {

TDateValue Day(int y, int m, int d) { return DateToValue(QDate(y, m, d)); }

TEST(DayCellAlmanac, RokuyoOfKnownDates)
{
    EXPECT_EQ(GetRokuyo(Day(2000, 1, 1)), QString::fromUtf8("大安"));   // old 11-25
    EXPECT_EQ(GetRokuyo(Day(2017, 1, 28)), QString::fromUtf8("先勝"));  // old 1-1
    EXPECT_EQ(GetRokuyo(Day(2025, 7, 25)), QString::fromUtf8("赤口"));  // leap 6-1
}

TEST(DayCellAlmanac, SolarTermOnlyOnItsDay)
{
    EXPECT_EQ(GetSekki(Day(2020, 3, 20)), QString::fromUtf8("春分"));
    EXPECT_EQ(GetSekki(Day(2019, 2, 4)), QString::fromUtf8("立春"));
    EXPECT_EQ(GetSekki(Day(2020, 6, 10)), QString::fromUtf8("入梅"));
    EXPECT_EQ(GetSekki(Day(2020, 1, 18)), QString::fromUtf8("土用"));
    EXPECT_TRUE(GetSekki(Day(2019, 2, 5)).isEmpty());   // code 27
    EXPECT_TRUE(GetSekki(Day(2020, 4, 20)).isEmpty());  // no whole degree crossed
}

TEST(DayCellAlmanac, RememberedLabelsAreTheLibrarysLabels)
{
    for (int i = 0; i < 40; ++i) {
        const TDateValue d = Day(2024, 12, 1) + i * 9;
        EXPECT_EQ(CachedRokuyo(d), GetRokuyo(d)) << i;
        EXPECT_EQ(CachedSekki(d), GetSekki(d)) << i;
        EXPECT_EQ(CachedRokuyo(d), GetRokuyo(d)) << i;  // second time from memory
    }
}

TEST(DayCellAlmanac, NoDateGivesNoLabel)
{
    EXPECT_TRUE(GetRokuyo(std::nan("")).isEmpty());
    EXPECT_TRUE(GetSekki(1e12).isEmpty());
}

} // namespace
} // namespace tamarie
