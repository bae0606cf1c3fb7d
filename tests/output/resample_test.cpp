#include "output/resample.h"
#include "resample_reference.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using tamarie::ResampleBitmap;

namespace {

QImage grey(std::initializer_list<int> values, int width, int height)
{
    QImage img(width, height, QImage::Format_RGB888);
    auto it = values.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++it)
            img.setPixel(x, y, qRgb(*it, *it, *it));
    return img;
}

QImage randomImage(int w, int h, QImage::Format format, unsigned seed)
{
    QImage img(w, h, format);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y) {
        uchar *line = img.scanLine(y);
        for (qsizetype i = 0; i < img.bytesPerLine(); ++i)
            line[i] = uchar(rng());
    }
    return img;
}

bool sameBytes(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), 3 * std::size_t(a.width())) != 0)
            return false;
    return true;
}

} // namespace

TEST(Resample, OnePixelSourceFillsTheDestination)
{
    QImage src(1, 1, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(12, 200, 77));
    const QImage out = ResampleBitmap(src, 37, 23);
    ASSERT_EQ(out.size(), QSize(37, 23));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            ASSERT_EQ(out.pixel(x, y), qRgb(12, 200, 77)) << x << "," << y;
}

TEST(Resample, DoublingTwoPixelsGivesQuarterSteps)
{
    const QImage out = ResampleBitmap(grey({0, 255}, 2, 1), 4, 1);
    ASSERT_EQ(out.size(), QSize(4, 1));
    // 63.75 and 191.25 rounded; the edges repeat the source pixels.
    EXPECT_EQ(qRed(out.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(out.pixel(1, 0)), 64);
    EXPECT_EQ(qRed(out.pixel(2, 0)), 191);
    EXPECT_EQ(qRed(out.pixel(3, 0)), 255);
}

TEST(Resample, DoublingVerticallyMatchesHorizontally)
{
    const QImage out = ResampleBitmap(grey({0, 255}, 1, 2), 1, 4);
    ASSERT_EQ(out.size(), QSize(1, 4));
    EXPECT_EQ(qGreen(out.pixel(0, 0)), 0);
    EXPECT_EQ(qGreen(out.pixel(0, 1)), 64);
    EXPECT_EQ(qGreen(out.pixel(0, 2)), 191);
    EXPECT_EQ(qGreen(out.pixel(0, 3)), 255);
}

TEST(Resample, HalvesRoundToEven)
{
    // 126 + 0.25 * 2 = 126.5 -> 126 and 126 + 0.75 * 2 = 127.5 -> 128.
    const QImage out = ResampleBitmap(grey({126, 128}, 2, 1), 4, 1);
    EXPECT_EQ(qBlue(out.pixel(1, 0)), 126);
    EXPECT_EQ(qBlue(out.pixel(2, 0)), 128);
    // Halving both ways samples the middle: (3 + 1 + 4 + 2) / 4 = 2.5 -> 2, and 3.5 -> 4.
    EXPECT_EQ(qRed(ResampleBitmap(grey({3, 1, 4, 2}, 2, 2), 1, 1).pixel(0, 0)), 2);
    EXPECT_EQ(qRed(ResampleBitmap(grey({3, 5, 4, 2}, 2, 2), 1, 1).pixel(0, 0)), 4);
}

TEST(Resample, OutputSizesAreExact)
{
    const QImage src = randomImage(590, 830, QImage::Format_RGB32, 1);
    EXPECT_EQ(ResampleBitmap(src, 2000, 2800).size(), QSize(2000, 2800));
    EXPECT_EQ(ResampleBitmap(src, 2800, 2000).size(), QSize(2800, 2000));
    EXPECT_EQ(ResampleBitmap(src, 1, 1).size(), QSize(1, 1));
    EXPECT_EQ(ResampleBitmap(src, 3, 1001).size(), QSize(3, 1001));
    EXPECT_EQ(ResampleBitmap(src, 2000, 2800).format(), QImage::Format_RGB888);
}

TEST(Resample, UniformSourceStaysUniform)
{
    QImage src(17, 9, QImage::Format_RGB32);
    src.fill(qRgb(1, 128, 254));
    const QImage out = ResampleBitmap(src, 53, 31);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            ASSERT_EQ(out.pixel(x, y), qRgb(1, 128, 254));
}

TEST(Resample, EmptySourceOrSizeGivesNothing)
{
    EXPECT_TRUE(ResampleBitmap(QImage(), 10, 10).isNull());
    EXPECT_TRUE(ResampleBitmap(QImage(1, 1, QImage::Format_RGB32), 0, 10).isNull());
    EXPECT_TRUE(ResampleBitmap(QImage(1, 1, QImage::Format_RGB32), 10, -1).isNull());
}

struct Case {
    int sw, sh, w, h;
    QImage::Format format;
};

class ResampleMatchesReference : public ::testing::TestWithParam<Case> {};

TEST_P(ResampleMatchesReference, ByteForByte)
{
    const Case c = GetParam();
    const QImage src = randomImage(c.sw, c.sh, c.format, unsigned(c.sw * 7919 + c.h));
    const QImage fast = ResampleBitmap(src, c.w, c.h);
    const QImage slow = reference::Resample(src, c.w, c.h);
    ASSERT_FALSE(fast.isNull());
    EXPECT_TRUE(sameBytes(fast, slow));
    EXPECT_TRUE(sameBytes(tamarie::ResampleBitmapPortable(src, c.w, c.h), slow));
}

INSTANTIATE_TEST_SUITE_P(
    RandomPictures, ResampleMatchesReference,
    ::testing::Values(Case{59, 83, 200, 280, QImage::Format_RGB32},      // the usual upscale, small
                      Case{300, 420, 1000, 1401, QImage::Format_RGB32},  // large enough to split rows
                      Case{83, 59, 280, 200, QImage::Format_ARGB32},     // alpha byte dropped
                      Case{83, 59, 281, 199, QImage::Format_ARGB32_Premultiplied},
                      Case{101, 77, 13, 7, QImage::Format_RGB888},       // downscale
                      Case{640, 480, 599, 481, QImage::Format_RGB888},   // mixed, odd row tail
                      Case{5, 3, 1023, 2, QImage::Format_RGB16},         // converted first
                      Case{1, 700, 700, 1, QImage::Format_RGB32}));

TEST(Resample, FullSizeCaptureMatchesReference)
{
    const QImage src = randomImage(590, 830, QImage::Format_RGB32, 42);
    EXPECT_TRUE(sameBytes(ResampleBitmap(src, 2000, 2800), reference::Resample(src, 2000, 2800)));
}
