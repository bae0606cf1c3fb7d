#include "output/arrangement_capture.h"
#include "output_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tamarie;

namespace {

const QRgb kPhoto = qRgb(200, 100, 40);
const QRgb kBacking = qRgb(255, 255, 255);
const QRgb kKey = qRgb(166, 202, 240);
const QRgb kInk = qRgb(0, 0, 0);

// Backing colour over the photo at the given opacity, to the nearest.
QRgb over(QRgb top, QRgb below, int alpha)
{
    auto mix = [&](int t, int b) { return int(std::lround((t * alpha + b * (255.0 - alpha)) / 255.0)); };
    return qRgb(mix(qRed(top), qRed(below)), mix(qGreen(top), qGreen(below)), mix(qBlue(top), qBlue(below)));
}

QImage paperOf(int w, int h, QRgb colour)
{
    QImage paper(w, h, QImage::Format_RGB32);
    paper.fill(colour);
    return paper;
}

// A calendar rendering: key colour with a block of ink at (ix, iy, 4 x 4).
CalendarPairRendering pairAt(const QRect &where, int alpha, QRgb backing, int ix, int iy)
{
    CalendarPairRendering pair;
    pair.backGeometry = where;
    pair.backColor = QColor::fromRgb(backing);
    pair.alpha = alpha;
    pair.calendarGeometry = where;
    pair.calendar = QImage(where.size(), QImage::Format_RGB32);
    pair.calendar.fill(kKey);
    for (int y = iy; y < iy + 4; ++y)
        for (int x = ix; x < ix + 4; ++x)
            pair.calendar.setPixel(x, y, kInk);
    pair.keyColor = QColor::fromRgb(kKey);
    return pair;
}

} // namespace

TEST(CaptureRect, StartsAtFiveAndIsTwentySmaller)
{
    EXPECT_EQ(CaptureRect(QSize(400, 560)), QRect(5, 5, 380, 540));
    EXPECT_EQ(CaptureRect(QSize(21, 21)), QRect(5, 5, 1, 1));
    EXPECT_TRUE(CaptureRect(QSize(20, 300)).isEmpty());
    EXPECT_TRUE(CaptureRect(QSize(300, 20)).isEmpty());
    EXPECT_EQ(PictureSize(false), QSize(2000, 2800));
    EXPECT_EQ(PictureSize(true), QSize(2800, 2000));
}

TEST(ComposeArrangement, BackingAtHalfOpacityBlendsWithThePhoto)
{
    TestApp();
    const QImage paper = paperOf(120, 100, kPhoto);
    const std::vector<CalendarPairRendering> pairs{pairAt(QRect(25, 15, 40, 30), 128, kBacking, 10, 10)};
    const QImage out = ComposeArrangement(paper, pairs);
    ASSERT_EQ(out.size(), QSize(100, 80));
    const QRgb blended = over(kBacking, kPhoto, 128);
    EXPECT_EQ(blended, qRgb(228, 178, 148));  // 128 + c * 127 / 255: 227.6, 177.8, 147.9
    // Picture (x, y) is paper (x + 5, y + 5).
    EXPECT_EQ(out.pixel(0, 0) & 0xFFFFFF, kPhoto & 0xFFFFFF);
    EXPECT_EQ(out.pixel(19, 9) & 0xFFFFFF, kPhoto & 0xFFFFFF);   // paper (24, 14): left of and above the pair
    EXPECT_EQ(out.pixel(20, 10) & 0xFFFFFF, blended & 0xFFFFFF); // paper (25, 15): its top-left corner
    EXPECT_EQ(out.pixel(59, 39) & 0xFFFFFF, blended & 0xFFFFFF); // paper (64, 44): its bottom-right corner
    EXPECT_EQ(out.pixel(60, 40) & 0xFFFFFF, kPhoto & 0xFFFFFF);
    // The ink is opaque: calendar (10, 10) is paper (35, 25), picture (30, 20).
    EXPECT_EQ(out.pixel(30, 20) & 0xFFFFFF, kInk & 0xFFFFFF);
    EXPECT_EQ(out.pixel(33, 23) & 0xFFFFFF, kInk & 0xFFFFFF);
    EXPECT_EQ(out.pixel(34, 24) & 0xFFFFFF, blended & 0xFFFFFF);
}

TEST(ComposeArrangement, OpacityExtremes)
{
    TestApp();
    const QImage paper = paperOf(60, 60, kPhoto);
    const QImage clear = ComposeArrangement(paper, {pairAt(QRect(0, 0, 60, 60), 0, kBacking, 0, 0)});
    EXPECT_EQ(clear.pixel(30, 30) & 0xFFFFFF, kPhoto & 0xFFFFFF);
    const QImage solid = ComposeArrangement(paper, {pairAt(QRect(0, 0, 60, 60), 255, kBacking, 0, 0)});
    EXPECT_EQ(solid.pixel(30, 30) & 0xFFFFFF, kBacking & 0xFFFFFF);
    const QImage odd = ComposeArrangement(paper, {pairAt(QRect(0, 0, 60, 60), 220, qRgb(10, 20, 30), 0, 0)});
    EXPECT_EQ(odd.pixel(30, 30) & 0xFFFFFF, over(qRgb(10, 20, 30), kPhoto, 220) & 0xFFFFFF);
}

TEST(ComposeArrangement, PairsStackInOrderAndAreClipped)
{
    TestApp();
    const QImage paper = paperOf(100, 100, kPhoto);
    const QRgb second = qRgb(0, 0, 255);
    // The second pair overlaps the first one's ink and reaches past the paper.
    const std::vector<CalendarPairRendering> pairs{pairAt(QRect(10, 10, 40, 40), 128, kBacking, 20, 20),
                                                   pairAt(QRect(28, 28, 200, 200), 128, second, 50, 50)};
    const QImage out = ComposeArrangement(paper, pairs);
    ASSERT_EQ(out.size(), QSize(80, 80));
    const QRgb first = over(kBacking, kPhoto, 128);
    EXPECT_EQ(out.pixel(10, 10) & 0xFFFFFF, first & 0xFFFFFF);  // paper (15, 15)
    // First pair's ink at paper (30..33): covered by the second backing, which blends over the ink.
    EXPECT_EQ(out.pixel(26, 26) & 0xFFFFFF, over(second, kInk, 128) & 0xFFFFFF);
    // Only the second backing, over the photo.
    EXPECT_EQ(out.pixel(50, 50) & 0xFFFFFF, over(second, kPhoto, 128) & 0xFFFFFF);
    // Both backings.
    EXPECT_EQ(out.pixel(40, 40) & 0xFFFFFF, over(second, first, 128) & 0xFFFFFF);
    // A calendar wholly off the paper changes nothing.
    const QImage same = ComposeArrangement(paper, {pairAt(QRect(500, 500, 10, 10), 255, kBacking, 0, 0)});
    EXPECT_EQ(same, ComposeArrangement(paper, {}));
}

TEST(ComposeArrangement, RenderingOfAnotherSizeIsFittedToTheWindow)
{
    TestApp();
    const QImage paper = paperOf(60, 60, kPhoto);
    CalendarPairRendering pair = pairAt(QRect(10, 10, 20, 20), 255, kBacking, 0, 0);
    pair.calendar = QImage(40, 40, QImage::Format_RGB32);  // drawn at twice the size
    pair.calendar.fill(kInk);
    const QImage out = ComposeArrangement(paper, {pair});
    EXPECT_EQ(out.pixel(5, 5) & 0xFFFFFF, kInk & 0xFFFFFF);
    EXPECT_EQ(out.pixel(24, 24) & 0xFFFFFF, kInk & 0xFFFFFF);
    EXPECT_EQ(out.pixel(25, 25) & 0xFFFFFF, kPhoto & 0xFFFFFF);
}

TEST(ComposeArrangement, HighDensityPaperIsTakenAtItsLogicalSize)
{
    TestApp();
    QImage paper = paperOf(240, 200, kPhoto);
    paper.setDevicePixelRatio(2.0);  // 120 x 100 logical pixels
    const QImage out = ComposeArrangement(paper, {pairAt(QRect(25, 15, 40, 30), 255, kBacking, 10, 10)});
    ASSERT_EQ(out.size(), QSize(100, 80));
    EXPECT_EQ(out.pixel(20, 10) & 0xFFFFFF, kBacking & 0xFFFFFF);
    EXPECT_EQ(out.pixel(19, 9) & 0xFFFFFF, kPhoto & 0xFFFFFF);
}

TEST(CaptureCalendarPicture, SizesByOrientationAndReportsAnEmptyPaper)
{
    TestApp();
    ArrangementRendering a;
    a.paper = paperOf(410, 570, kPhoto);
    a.pairs.push_back(pairAt(QRect(50, 300, 100, 80), 128, kBacking, 5, 5));
    QString error;
    const QImage portrait = CaptureCalendarPicture(a, &error);
    EXPECT_EQ(portrait.size(), QSize(2000, 2800));
    EXPECT_EQ(portrait.pixel(0, 0) & 0xFFFFFF, kPhoto & 0xFFFFFF);
    a.landscape = true;
    a.paper = paperOf(570, 410, kPhoto);
    EXPECT_EQ(CaptureCalendarPicture(a, &error).size(), QSize(2800, 2000));

    a.paper = paperOf(20, 400, kPhoto);
    error.clear();
    EXPECT_TRUE(CaptureCalendarPicture(a, &error).isNull());
    EXPECT_TRUE(error.startsWith(QStringLiteral("アサートの失敗")));
}
