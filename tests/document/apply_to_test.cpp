#include "apply_to.h"

#include <gtest/gtest.h>

using namespace tamarie;

TEST(ApplyTo, NothingSelectedMeansNoMonthChosen)
{
    const ApplyTargets t = ApplyToTargets(-1, 3);
    EXPECT_TRUE(t.noMonthChosen);
    EXPECT_TRUE(t.calendars.empty());
    EXPECT_EQ(kChooseMonthMessage, QString::fromUtf8("適用月を選択してください。"));
}

TEST(ApplyTo, AllMonthsInAscendingOrder)
{
    const ApplyTargets t = ApplyToTargets(0, 3);
    EXPECT_FALSE(t.noMonthChosen);
    EXPECT_EQ(t.calendars, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(ApplyToTargets(0, 12).calendars.size(), 12u);
}

TEST(ApplyTo, OneMonth)
{
    EXPECT_EQ(ApplyToTargets(2, 3).calendars, (std::vector<int>{2}));
    EXPECT_EQ(ApplyToTargets(1, 1).calendars, (std::vector<int>{1}));
}

TEST(ApplyTo, IndexBeyondTheSetNamesNoCalendar)
{
    const ApplyTargets t = ApplyToTargets(5, 3);
    EXPECT_FALSE(t.noMonthChosen);
    EXPECT_TRUE(t.calendars.empty());
}

TEST(ApplyTo, SourceCalendarOfTheFontDialog)
{
    EXPECT_EQ(ApplyToSourceCalendar(0, 3), 1);
    EXPECT_EQ(ApplyToSourceCalendar(3, 3), 3);
    EXPECT_EQ(ApplyToSourceCalendar(-1, 3), 0);
    EXPECT_EQ(ApplyToSourceCalendar(4, 3), 0);
}

TEST(ApplyTo, TitleFontSizeRoundsHalvesToEven)
{
    EXPECT_EQ(TitlePointSize(12), 18);
    EXPECT_EQ(TitlePointSize(13), 20);  // 19.5
    EXPECT_EQ(TitlePointSize(11), 16);  // 16.5
    EXPECT_EQ(TitlePointSize(10), 15);
    EXPECT_EQ(TitlePointSize(9), 14);   // 13.5
}
