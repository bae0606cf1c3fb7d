#include "paper_layout.h"

#include <gtest/gtest.h>

using namespace tamarie;

namespace {
constexpr int kConfigWidth = 313;  // settings panel width
}

TEST(PaperLayout, WideScreenPortraitIsLimitedByClientHeight)
{
    const PaperLayout l = ResizePaperLayout(QSize(1600, 850), kConfigWidth, PaperOrientation::Portrait);
    EXPECT_EQ(l.configLeft, 1277);
    EXPECT_EQ(l.paper, QSize(607, 850));  // 1227 limited to 850; 850 / 1.4 = 607.14
}

TEST(PaperLayout, WideScreenLandscapeTakesShareOfWidth)
{
    const PaperLayout l = ResizePaperLayout(QSize(1600, 850), kConfigWidth, PaperOrientation::Landscape);
    EXPECT_EQ(l.configLeft, 1277);
    EXPECT_EQ(l.paper, QSize(1227, 876));
}

TEST(PaperLayout, NarrowLandscapeKeepsClearOfSettingsPanel)
{
    const PaperLayout l = ResizePaperLayout(QSize(1366, 700), kConfigWidth, PaperOrientation::Landscape);
    EXPECT_EQ(l.configLeft, 1043);
    EXPECT_EQ(l.paper, QSize(1038, 741));  // 1048 > 1043 - 5
}

TEST(PaperLayout, NarrowPortrait)
{
    const PaperLayout l = ResizePaperLayout(QSize(1366, 700), kConfigWidth, PaperOrientation::Portrait);
    EXPECT_EQ(l.paper, QSize(500, 700));
}

TEST(PaperLayout, KeepsProportionOnePointFour)
{
    for (int w = kMinClientWidth; w <= 2600; w += 37) {
        for (int h = kMinClientHeight; h <= 1600; h += 53) {
            const QSize p = ResizePaperLayout(QSize(w, h), kConfigWidth, PaperOrientation::Portrait).paper;
            EXPECT_LE(std::abs(p.width() * 1.4 - p.height()), 1.4) << w << "x" << h;
            EXPECT_LE(p.height(), h);
            const PaperLayout l = ResizePaperLayout(QSize(w, h), kConfigWidth, PaperOrientation::Landscape);
            EXPECT_LE(std::abs(l.paper.height() * 1.4 - l.paper.width()), 1.4) << w << "x" << h;
            EXPECT_LE(l.paper.width(), l.configLeft - 5);
        }
    }
}

TEST(PaperLayout, MinimumClientAreaKeepsUsablePaper)
{
    for (auto o : {PaperOrientation::Portrait, PaperOrientation::Landscape}) {
        const QSize p = ResizePaperLayout(QSize(kMinClientWidth, kMinClientHeight), kConfigWidth, o).paper;
        EXPECT_GE(p.width(), 200);
        EXPECT_GE(p.height(), 200);
    }
}

TEST(PaperLayout, DegenerateClientAreaNeverGivesEmptyPaper)
{
    for (auto o : {PaperOrientation::Portrait, PaperOrientation::Landscape}) {
        const QSize p = ResizePaperLayout(QSize(100, 0), kConfigWidth, o).paper;
        EXPECT_GE(p.width(), 1);
        EXPECT_GE(p.height(), 1);
    }
}

TEST(PaperFit, PhotoCutToPaperLessMargin)
{
    EXPECT_EQ(FitPhotoToPaper(QSize(700, 300), QSize(500, 700)), QSize(485, 300));
    EXPECT_EQ(FitPhotoToPaper(QSize(300, 800), QSize(500, 700)), QSize(300, 685));
    EXPECT_EQ(FitPhotoToPaper(QSize(485, 685), QSize(500, 700)), QSize(485, 685));
}

TEST(PaperFit, CalendarCutToPaperOnlyWhenWider)
{
    // Portrait to landscape: a 400-pixel calendar that fits keeps its size.
    EXPECT_EQ(FitCalendarToPaper(QSize(400, 300), QSize(1038, 741)), QSize(400, 300));
    EXPECT_EQ(FitCalendarToPaper(QSize(1200, 300), QSize(1038, 741)), QSize(1038, 300));
    EXPECT_EQ(FitCalendarToPaper(QSize(400, 900), QSize(1038, 741)), QSize(400, 741));
}

TEST(PaperScaleTest, PhotoGrowsWithPaper)
{
    const PaperScale s = ComputePaperScale(QSize(607, 850), QSize(500, 700));
    EXPECT_EQ(ScalePhoto(QRect(50, 40, 300, 200), s, QSize(607, 850)), QRect(61, 49, 364, 243));
}

TEST(PaperScaleTest, FactorsAreSinglePrecision)
{
    const PaperScale s = ComputePaperScale(QSize(607, 850), QSize(500, 700));
    EXPECT_EQ(s.fx, 607.0f / 500.0f);
    EXPECT_EQ(s.fy, 850.0f / 700.0f);
}

TEST(PaperScaleTest, UnknownPreviousSizeDoesNotDivideByZero)
{
    const PaperScale s = ComputePaperScale(QSize(607, 850), QSize(0, -3));
    EXPECT_EQ(s.fx, 1.0f);
    EXPECT_EQ(s.fy, 1.0f);
}

TEST(PaperScaleTest, PhotoOutsidePaperIsCentred)
{
    const PaperScale same{1.0f, 1.0f};
    // Left of the paper.
    EXPECT_EQ(ScalePhoto(QRect(-10, 40, 100, 60), same, QSize(500, 700)), QRect(200, 320, 100, 60));
    // At the right edge (left == paper width counts as outside).
    EXPECT_EQ(ScalePhoto(QRect(500, 40, 100, 60), same, QSize(500, 700)), QRect(200, 320, 100, 60));
    // Below the paper.
    EXPECT_EQ(ScalePhoto(QRect(10, 700, 100, 60), same, QSize(500, 700)), QRect(200, 320, 100, 60));
    // Inside: untouched, even when it overhangs.
    EXPECT_EQ(ScalePhoto(QRect(499, 699, 100, 60), same, QSize(500, 700)), QRect(499, 699, 100, 60));
    // Centring a photo bigger than the paper truncates toward zero.
    EXPECT_EQ(ScalePhoto(QRect(-1, 0, 503, 60), same, QSize(500, 700)), QRect(-1, 320, 503, 60));
}

TEST(PaperScaleTest, CalendarScalesInScreenCoordinates)
{
    const PaperScale s = ComputePaperScale(QSize(607, 850), QSize(500, 700));
    const QRect main(0, 0, 1600, 900);
    // 200 x 100 at (100, 300): 243 x 121 at (121, 364).
    EXPECT_EQ(ScaleCalendar(QRect(100, 300, 200, 100), s, main), QRect(121, 364, 243, 121));
}

TEST(PaperScaleTest, CalendarPushedOutsideMainWindowComesBack)
{
    const PaperScale s{2.0f, 2.0f};
    const QRect main(100, 50, 800, 600);
    // x 500 -> 1000 > 100 + 800 - 20: back to 150; y 100 -> 200 stays.
    EXPECT_EQ(ScaleCalendar(QRect(500, 100, 50, 40), s, main), QRect(150, 200, 100, 80));
    // y 400 -> 800 > 50 + 600 - 20: back to 100.
    EXPECT_EQ(ScaleCalendar(QRect(200, 400, 50, 40), s, main), QRect(400, 100, 100, 80));
    // Left of the main window.
    const PaperScale half{0.5f, 1.0f};
    EXPECT_EQ(ScaleCalendar(QRect(150, 60, 50, 40), half, main), QRect(150, 60, 25, 40));
}

TEST(PaperScaleTest, RoundsHalvesToEven)
{
    const PaperScale s{1.5f, 1.5f};
    // 11 * 1.5 = 16.5 -> 16, 13 * 1.5 = 19.5 -> 20, 5 * 1.5 = 7.5 -> 8, 3 * 1.5 = 4.5 -> 4.
    EXPECT_EQ(ScalePhoto(QRect(5, 3, 11, 13), s, QSize(500, 700)), QRect(8, 4, 16, 20));
}

TEST(PaperRelative, ResizeRoundTripBringsPhotosAndCalendarsBackAndNeverOffThePaper)
{
    const QSize big(700, 980);
    const QSize small(400, 560);
    // A photo almost as wide as the paper is cut on the smaller paper and
    // grows back on the larger one.
    const QRect photo(6, 10, 680, 479);
    const PaperPlace p = PlaceOf(photo, big);
    const QRect cut = PlacePhotoOnPaper(p, small);
    EXPECT_EQ(cut.width(), small.width() - kPhotoPaperMargin);
    EXPECT_EQ(PlacePhotoOnPaper(p, big), photo);

    // A calendar in the lower right keeps its place relative to the paper.
    const QRect calendar(333, 601, 350, 301);
    const PaperPlace c = PlaceOf(calendar, big);
    const QRect onSmall = PlaceCalendarOnPaper(c, small);
    EXPECT_TRUE(QRect(QPoint(0, 0), small).contains(onSmall));
    const QRect back = PlaceCalendarOnPaper(c, big);
    EXPECT_LE(std::abs(back.left() - calendar.left()), 1);
    EXPECT_LE(std::abs(back.top() - calendar.top()), 1);
    EXPECT_LE(std::abs(back.width() - calendar.width()), 1);
    EXPECT_LE(std::abs(back.height() - calendar.height()), 1);

    // One hanging over the paper's edge is moved onto it.
    const PaperPlace over = PlaceOf(QRect(600, 900, 300, 200), big);
    EXPECT_TRUE(QRect(QPoint(0, 0), big).contains(PlaceCalendarOnPaper(over, big)));
}
