// Reduction by averaging: a zone plate shown small turns grey where its rings
// are finer than the pixels, as in the saved picture; a reduced decode stays
// within 2/255 of decoding whole and reducing then.
#include "area_reducer.h"
#include "photo_decoder.h"
#include "photo_fixtures.h"

#include <QImageReader>
#include <QPainter>

#include <cmath>
#include <random>

using namespace tamarie;
using namespace tamarie::testing;

namespace {

// Rings whose frequency grows with the distance from the centre, up to half
// a cycle a pixel at the left and right edges.
QImage ZonePlate(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    const double k = M_PI / w;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x - w / 2.0, dy = y - h / 2.0;
            const int v = int(std::lround(127.5 + 127.5 * std::cos(k * (dx * dx + dy * dy))));
            img.setPixel(x, y, qRgb(v, v, v));
        }
    return img;
}

// The share of pixels in the outer part (farther from the centre than 0.6
// of the half width), whose rings are finer than the reduced pixels, more
// than 32 away from mid grey.
double FarFromGrey(const QImage &img)
{
    int far = 0, n = 0;
    const double cx = img.width() / 2.0, cy = img.height() / 2.0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) < 0.6 * cx)
                continue;
            ++n;
            far += std::abs(qGray(img.pixel(x, y)) - 128) > 32;
        }
    return double(far) / std::max(n, 1);
}

} // namespace

TEST(PhotoReduction, ZonePlateShownSmallIsGreyWhereItsRingsAreFinerThanPixels)
{
    const QImage plate = ZonePlate(1800, 1200);
    const QImage small = AreaReducer::Reduce(plate, QSize(450, 300));
    ASSERT_EQ(small.size(), QSize(450, 300));
    EXPECT_LT(FarFromGrey(small), 0.05);
    // The rings near the centre stay.
    EXPECT_GT(qGray(small.pixel(225, 150)), 200);

    // Every output pixel's weights add up to one, edges included.
    QImage flat(1000, 701, QImage::Format_RGB32);
    flat.fill(QColor(10, 200, 30));
    const QImage reduced = AreaReducer::Reduce(flat, QSize(333, 217));
    for (int y = 0; y < reduced.height(); ++y)
        for (int x = 0; x < reduced.width(); ++x)
            ASSERT_EQ(reduced.pixel(x, y), qRgb(10, 200, 30)) << x << "," << y;
}

TEST(PhotoReduction, ReducedJpegDecodeIsWithinTwoLevelsOfDecodingWhole)
{
    // A photograph's mix: gradients, edges, fine detail and grain.
    QImage img(2400, 1600, QImage::Format_RGB32);
    {
        QPainter p(&img);
        QLinearGradient g(0, 0, img.width(), img.height());
        g.setColorAt(0, QColor(30, 70, 140));
        g.setColorAt(1, QColor(230, 190, 120));
        p.fillRect(img.rect(), g);
        std::mt19937 rng(7);
        for (int i = 0; i < 300; ++i) {
            p.setBrush(QColor(int(rng() % 256), int(rng() % 256), int(rng() % 256)));
            p.setPen(QPen(QColor(int(rng() % 256), 0, 0), 1 + int(rng() % 5)));
            p.drawEllipse(QPoint(int(rng() % 2400), int(rng() % 1600)), 5 + int(rng() % 200), 5 + int(rng() % 120));
        }
    }
    std::mt19937 rng(3);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng() % 21) - 10;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
    QTemporaryDir dir;
    const QString path = SaveJpeg(dir, QStringLiteral("detail.jpg"), img, 92);
    for (const QSize target : {QSize(590, 390), QSize(1100, 700), QSize(300, 900)}) {
        SCOPED_TRACE(target.width());
        const QImage ours = DecodePhoto(path, {0, target}).image;
        const QImage whole = QImageReader(path).read().scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ASSERT_EQ(ours.size(), whole.size());
        double sum[3] = {};
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x) {
                const QRgb a = ours.pixel(x, y), b = whole.pixel(x, y);
                sum[0] += std::abs(qRed(a) - qRed(b));
                sum[1] += std::abs(qGreen(a) - qGreen(b));
                sum[2] += std::abs(qBlue(a) - qBlue(b));
            }
        for (double s : sum)
            EXPECT_LE(s / (ours.width() * ours.height()), 2.0);
    }
}
