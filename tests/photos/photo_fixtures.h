#pragma once
// Photos made for the tests: pictures drawn here, written by Qt, libjpeg,
// libheif or Debian's tools (exiftool, heif-enc), colour profiles made with
// Little CMS.  Nothing is downloaded.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <lcms2.h>

#include <functional>

namespace tamarie::testing {

// Runs one of the tools install_packages.sh installs; true when it succeeded.
inline bool Tool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Four quadrants of different colours: any flip or turn shows.
inline const QColor kQuadrantColours[4] = {QColor(220, 30, 30), QColor(30, 200, 40), QColor(30, 40, 210),
                                           QColor(240, 230, 40)};
inline QImage Quadrants(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, kQuadrantColours[(y >= h / 2) * 2 + (x >= w / 2)].rgb());
    return img;
}

// The mean colour of a rectangle.
inline QColor Mean(const QImage &img, const QRect &r)
{
    double s[3] = {};
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x, ++n) {
            const QRgb p = img.pixel(x, y);
            s[0] += qRed(p);
            s[1] += qGreen(p);
            s[2] += qBlue(p);
        }
    n = std::max(n, 1);
    return QColor(int(s[0] / n + 0.5), int(s[1] / n + 0.5), int(s[2] / n + 0.5));
}

inline int Distance(const QColor &a, const QColor &b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// The centres of the four quadrants of img match Quadrants' colours.
inline ::testing::AssertionResult ShowsQuadrants(const QImage &img, int tolerance = 24)
{
    if (img.isNull())
        return ::testing::AssertionFailure() << "no picture";
    const int w = img.width(), h = img.height();
    for (int q = 0; q < 4; ++q) {
        const QRect r((q % 2) * w / 2 + w / 8, (q / 2) * h / 2 + h / 8, std::max(1, w / 4), std::max(1, h / 4));
        const QColor c = Mean(img, r);
        if (Distance(c, kQuadrantColours[q]) > tolerance)
            return ::testing::AssertionFailure() << "quadrant " << q << " is " << c.name().toStdString()
                                                 << ", not " << kQuadrantColours[q].name().toStdString();
    }
    return ::testing::AssertionSuccess();
}

// The picture a camera stores for an upright picture and an EXIF orientation,
// from the tag's definition: where the stored 0th row and 0th column lie.
inline QImage StoredFor(const QImage &upright, int orientation)
{
    const int W = upright.width(), H = upright.height();
    const bool swap = orientation >= 5;
    QImage stored(swap ? H : W, swap ? W : H, QImage::Format_RGB32);
    const std::function<QPoint(int, int)> uprightOf[9] = {
        nullptr,
        [](int c, int r) { return QPoint(c, r); },                  // top, left
        [W](int c, int r) { return QPoint(W - 1 - c, r); },         // top, right
        [W, H](int c, int r) { return QPoint(W - 1 - c, H - 1 - r); },  // bottom, right
        [H](int c, int r) { return QPoint(c, H - 1 - r); },         // bottom, left
        [](int c, int r) { return QPoint(r, c); },                  // left, top
        [W](int c, int r) { return QPoint(W - 1 - r, c); },         // right, top
        [W, H](int c, int r) { return QPoint(W - 1 - r, H - 1 - c); },  // right, bottom
        [H](int c, int r) { return QPoint(r, H - 1 - c); },         // left, bottom
    };
    for (int r = 0; r < stored.height(); ++r)
        for (int c = 0; c < stored.width(); ++c)
            stored.setPixel(c, r, upright.pixel(uprightOf[orientation](c, r)));
    return stored;
}

inline QString SaveJpeg(const QTemporaryDir &dir, const QString &name, const QImage &img, int quality = 95)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(img.save(path, "JPEG", quality));
    return path;
}

// An RGB profile of the given primaries over D65: Adobe RGB (1998) or Display P3.
enum class Space { AdobeRgb, DisplayP3 };
inline QByteArray ProfileOf(Space space)
{
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};
    cmsCIExyYTRIPLE primaries;
    cmsToneCurve *curve;
    if (space == Space::AdobeRgb) {
        primaries = {{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}};
        curve = cmsBuildGamma(nullptr, 563.0 / 256.0);
    } else {
        primaries = {{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}};
        const cmsFloat64Number p[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
        curve = cmsBuildParametricToneCurve(nullptr, 4, p);
    }
    cmsToneCurve *curves[3] = {curve, curve, curve};
    cmsHPROFILE p = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    cmsUInt32Number n = 0;
    cmsSaveProfileToMem(p, nullptr, &n);
    QByteArray bytes(int(n), '\0');
    cmsSaveProfileToMem(p, bytes.data(), &n);
    cmsCloseProfile(p);
    return bytes;
}

// A colour of the profile's space as sRGB, straight through Little CMS.
inline QColor InSrgb(const QByteArray &icc, const QColor &c)
{
    cmsHPROFILE from = cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t = cmsCreateTransform(from, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    const uchar in[3] = {uchar(c.red()), uchar(c.green()), uchar(c.blue())};
    uchar out[3] = {};
    cmsDoTransform(t, in, out, 1);
    cmsDeleteTransform(t);
    cmsCloseProfile(srgb);
    cmsCloseProfile(from);
    return QColor(out[0], out[1], out[2]);
}

// The JPEG with an ICC profile in APP2 segments right after its SOI.
inline QByteArray WithIccSegment(const QByteArray &jpeg, const QByteArray &icc)
{
    QByteArray segment("\xFF\xE2", 2);
    const int length = 2 + 14 + int(icc.size());
    segment.append(char(length >> 8)).append(char(length & 0xFF));
    segment.append("ICC_PROFILE", 12).append('\x01').append('\x01').append(icc);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

} // namespace tamarie::testing
