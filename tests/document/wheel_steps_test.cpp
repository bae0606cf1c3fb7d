#include "wheel_steps.h"

#include <QObject>
#include <gtest/gtest.h>

using namespace tamarie;

namespace {
const QSize kPaper(607, 850);
constexpr WheelKeys kNone{};
constexpr WheelKeys kX{true, false};
constexpr WheelKeys kY{false, true};
constexpr WheelKeys kXY{true, true};
} // namespace

TEST(WheelDirectionTest, SignOfDistance)
{
    EXPECT_EQ(WheelDirectionOf(120), WheelDirection::Shrink);
    EXPECT_EQ(WheelDirectionOf(240), WheelDirection::Shrink);
    EXPECT_EQ(WheelDirectionOf(-120), WheelDirection::Grow);
    EXPECT_EQ(WheelDirectionOf(0), WheelDirection::None);
}

TEST(WheelDirectionTest, ReadAsSigned16Bit)
{
    EXPECT_EQ(WheelDirectionOf(0xFF88), WheelDirection::Grow);    // -120 as an unsigned word
    EXPECT_EQ(WheelDirectionOf(0x10000), WheelDirection::None);  // nothing in the low 16 bits
    EXPECT_EQ(WheelDirectionOf(0x7FFF), WheelDirection::Shrink);
}

TEST(WheelStepTest, OneStepWhateverTheDistance)
{
    const QSize s(200, 100);
    EXPECT_EQ(WheelStep(s, WheelDirectionOf(240), kNone, kPaper), WheelStep(s, WheelDirectionOf(120), kNone, kPaper));
}

TEST(WheelStepTest, FactorStepsBothSides)
{
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Grow, kNone, kPaper), QSize(220, 110));
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Shrink, kNone, kPaper), QSize(180, 90));
}

TEST(WheelStepTest, PixelStepsWithKeys)
{
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Grow, kX, kPaper), QSize(207, 100));
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Grow, kY, kPaper), QSize(200, 107));
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Shrink, kX, kPaper), QSize(193, 100));
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Shrink, kY, kPaper), QSize(200, 93));
}

TEST(WheelStepTest, BothKeysChangeOnlyTheWidth)
{
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Grow, kXY, kPaper), QSize(207, 100));
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::Shrink, kXY, kPaper), QSize(193, 100));
}

TEST(WheelStepTest, NoDirectionChangesNothing)
{
    EXPECT_EQ(WheelStep(QSize(200, 100), WheelDirection::None, kX, kPaper), QSize(200, 100));
}

TEST(WheelStepTest, GrowingStopsAtThePaper)
{
    EXPECT_EQ(WheelStep(QSize(603, 100), WheelDirection::Grow, kX, kPaper), QSize(607, 100));
    EXPECT_EQ(WheelStep(QSize(100, 846), WheelDirection::Grow, kY, kPaper), QSize(100, 850));
    EXPECT_EQ(WheelStep(QSize(580, 800), WheelDirection::Grow, kNone, kPaper), QSize(607, 850));
    // Repeated steps stay at exactly the paper size.
    QSize s(100, 100);
    for (int i = 0; i < 40; ++i)
        s = WheelStep(s, WheelDirection::Grow, kNone, kPaper);
    EXPECT_EQ(s, kPaper);
}

TEST(WheelStepTest, GrowingAnOversizedTargetCutsItToThePaper)
{
    // A size already beyond the paper (from a larger paper) is clamped too.
    EXPECT_EQ(WheelStep(QSize(900, 900), WheelDirection::Grow, kX, kPaper), QSize(607, 850));
}

TEST(WheelStepTest, ShrinkingIsNeverClamped)
{
    QSize s(10, 10);
    s = WheelStep(s, WheelDirection::Shrink, kX, kPaper);
    EXPECT_EQ(s, QSize(3, 10));
    s = WheelStep(s, WheelDirection::Shrink, kX, kPaper);
    EXPECT_EQ(s, QSize(-4, 10));
    s = WheelStep(s, WheelDirection::Shrink, kY, kPaper);
    s = WheelStep(s, WheelDirection::Shrink, kY, kPaper);
    EXPECT_EQ(s, QSize(-4, -4));
    // Growing back follows the stored numbers.
    s = WheelStep(s, WheelDirection::Grow, kX, kPaper);
    EXPECT_EQ(s, QSize(3, -4));
}

TEST(WheelStepTest, FactorRoundsHalvesToEven)
{
    // 5 * 1.1 = 5.5 -> 6; 15 * 1.1 = 16.5 -> 16; 45 * 1.1 = 49.5 -> 50; 45 * 0.9 = 40.5 -> 40.
    EXPECT_EQ(WheelStep(QSize(5, 15), WheelDirection::Grow, kNone, kPaper), QSize(6, 16));
    EXPECT_EQ(WheelStep(QSize(45, 45), WheelDirection::Grow, kNone, kPaper), QSize(50, 50));
    EXPECT_EQ(WheelStep(QSize(45, 5), WheelDirection::Shrink, kNone, kPaper), QSize(40, 4));
}

TEST(WheelStepTest, FactorShrinkStopsAtFourPixels)
{
    EXPECT_EQ(WheelStep(QSize(4, 3), WheelDirection::Shrink, kNone, kPaper), QSize(4, 3));
    QSize s(300, 200);
    for (int i = 0; i < 100; ++i)
        s = WheelStep(s, WheelDirection::Shrink, kNone, kPaper);
    EXPECT_GE(s.width(), 1);
    EXPECT_LE(s.width(), 4);
    EXPECT_GE(s.height(), 1);
    EXPECT_LE(s.height(), 4);
}

TEST(ShownSizeTest, WindowSystemNeverGetsLessThanTheMinimum)
{
    EXPECT_EQ(ShownSize(QSize(-4, 0), kMinShownPhoto), QSize(1, 1));
    EXPECT_EQ(ShownSize(QSize(300, 200), kMinShownPhoto), QSize(300, 200));
    EXPECT_EQ(ShownSize(QSize(3, 500), kMinShownCalendar), QSize(kMinShownCalendar.width(), 500));
}

TEST(StoredSizeTest, RemembersStepsBelowTheShownSize)
{
    QObject target;
    const QSize shown = RememberStoredSize(&target, QSize(-4, 10), kMinShownPhoto);
    EXPECT_EQ(shown, QSize(1, 10));
    EXPECT_EQ(StoredSize(&target, shown, kMinShownPhoto), QSize(-4, 10));
}

TEST(StoredSizeTest, ResizedElsewhereTheWidgetSizeCounts)
{
    QObject target;
    RememberStoredSize(&target, QSize(-4, 10), kMinShownPhoto);
    EXPECT_EQ(StoredSize(&target, QSize(50, 60), kMinShownPhoto), QSize(50, 60));
    QObject fresh;
    EXPECT_EQ(StoredSize(&fresh, QSize(50, 60), kMinShownPhoto), QSize(50, 60));
}

TEST(SameSizeTest, FollowersInAscendingOrderWithoutTheTarget)
{
    EXPECT_EQ(SameSizeFollowers(3, 5, true), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(SameSizeFollowers(1, 2, true), (std::vector<int>{2}));
    EXPECT_TRUE(SameSizeFollowers(3, 5, false).empty());
    EXPECT_TRUE(SameSizeFollowers(1, 1, true).empty());
}
