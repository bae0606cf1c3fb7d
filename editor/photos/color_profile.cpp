#include "color_profile.h"

#include <lcms2.h>

#include <QtEndian>

#include <cmath>

namespace tamarie {

namespace {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "QImage's 32-bit pixels are read as B, G, R, A bytes");

using Profile = std::unique_ptr<void, decltype(&cmsCloseProfile)>;
using Transform = std::unique_ptr<void, decltype(&cmsDeleteTransform)>;
Profile MakeProfile(cmsHPROFILE p) { return Profile(p, cmsCloseProfile); }

// A profile that says it is sRGB needs no work (and spares the rounding).
bool IsSrgb(cmsHPROFILE p)
{
    char name[256] = {};
    cmsGetProfileInfoASCII(p, cmsInfoDescription, "en", "US", name, sizeof name);
    return QByteArray(name).startsWith("sRGB IEC61966-2");
}

bool Apply(QImage &image, cmsHPROFILE source)
{
    if (!source || image.isNull())
        return false;
    // A number, not the enum: a damaged profile may name any space.
    const cmsUInt32Number space = cmsGetColorSpace(source);
    if ((space != cmsSigRgbData && space != cmsSigGrayData) || IsSrgb(source))
        return false;
    const Profile srgb = MakeProfile(cmsCreate_sRGBProfile());
    const bool grey = space == cmsSigGrayData;
    // Grey is read from one byte of each pixel, written back as B, G, R.
    const cmsUInt32Number in = grey ? TYPE_GRAY_8 : TYPE_BGRA_8;
    const cmsUInt32Number out = grey ? TYPE_BGR_8 : TYPE_BGRA_8;
    const Transform t(cmsCreateTransform(source, in, srgb.get(), out, INTENT_PERCEPTUAL,
                                         grey ? cmsFLAGS_NOCACHE : cmsFLAGS_COPY_ALPHA),
                      cmsDeleteTransform);
    if (!t)
        return false;
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    if (premultiplied)
        image.convertTo(QImage::Format_ARGB32);
    else if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int w = image.width();
    std::vector<uchar> g(grey ? size_t(w) : 0), bgr(grey ? size_t(w) * 3 : 0);
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = image.scanLine(y);
        if (!grey) {
            cmsDoTransform(t.get(), line, line, cmsUInt32Number(w));
            continue;
        }
        for (int x = 0; x < w; ++x)
            g[size_t(x)] = line[4 * x + 1];
        cmsDoTransform(t.get(), g.data(), bgr.data(), cmsUInt32Number(w));
        for (int x = 0; x < w; ++x) {
            line[4 * x] = bgr[3 * size_t(x)];
            line[4 * x + 1] = bgr[3 * size_t(x) + 1];
            line[4 * x + 2] = bgr[3 * size_t(x) + 2];
        }
    }
    if (premultiplied)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return true;
}

cmsToneCurve *TransferCurve(int transfer)
{
    switch (transfer) {
    case 13:  // IEC 61966-2-1
    case 2:
    case 0: {
        const cmsFloat64Number p[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
        return cmsBuildParametricToneCurve(nullptr, 4, p);
    }
    case 1:  // BT.709, BT.601, BT.2020: the camera curve, inverted
    case 6:
    case 14:
    case 15: {
        const cmsFloat64Number p[5] = {1.0 / 0.45, 1.0 / 1.099, 0.099 / 1.099, 1.0 / 4.5, 0.081};
        return cmsBuildParametricToneCurve(nullptr, 4, p);
    }
    case 4:
        return cmsBuildGamma(nullptr, 2.2);
    case 5:
        return cmsBuildGamma(nullptr, 2.8);
    case 8:
        return cmsBuildGamma(nullptr, 1.0);
    default:
        return nullptr;  // PQ, HLG and the rest are not photos' curves here
    }
}

} // namespace

bool ConvertToSrgb(QImage &image, const QByteArray &icc)
{
    if (icc.isEmpty())
        return false;
    const Profile p = MakeProfile(cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size())));
    return Apply(image, p.get());
}

bool ConvertToSrgb(QImage &image, const CodedColour &colour)
{
    cmsCIExyYTRIPLE primaries;
    cmsCIExyY white = {0.3127, 0.3290, 1.0};
    switch (colour.primaries) {
    case 9:
        primaries = {{0.708, 0.292, 1}, {0.170, 0.797, 1}, {0.131, 0.046, 1}};
        break;
    case 11:
        primaries = {{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}};
        white = {0.314, 0.351, 1.0};
        break;
    case 12:
        primaries = {{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}};
        break;
    default:
        return false;  // sRGB's own primaries, or none said
    }
    cmsToneCurve *curve = TransferCurve(colour.transfer);
    if (!curve)
        return false;
    cmsToneCurve *curves[3] = {curve, curve, curve};
    const Profile p = MakeProfile(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    return Apply(image, p.get());
}

QByteArray SrgbIccProfile()
{
    static const QByteArray bytes = [] {
        const Profile p = MakeProfile(cmsCreate_sRGBProfile());
        cmsSetProfileVersion(p.get(), 2.1);
        cmsUInt32Number n = 0;
        if (!cmsSaveProfileToMem(p.get(), nullptr, &n))
            return QByteArray();
        QByteArray out(qsizetype(n), '\0');
        if (!cmsSaveProfileToMem(p.get(), out.data(), &n) || out.size() < 36)
            return QByteArray();
        // A fixed creation date (2020-01-01), so the same picture gives the same bytes.
        static const char date[12] = {0x07, char(0xE4), 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};
        out.replace(24, 12, QByteArray(date, 12));
        return out;
    }();
    return bytes;
}

struct CmykRows::Transform {
    Profile source = MakeProfile(nullptr);
    Profile srgb = MakeProfile(cmsCreate_sRGBProfile());
    tamarie::Transform t{nullptr, cmsDeleteTransform};
};

CmykRows::CmykRows(const QByteArray &icc, bool inverted) : inverted_(inverted)
{
    if (icc.isEmpty())
        return;
    auto t = std::make_unique<Transform>();
    t->source = MakeProfile(cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size())));
    if (!t->source || cmsGetColorSpace(t->source.get()) != cmsSigCmykData)
        return;
    t->t.reset(cmsCreateTransform(t->source.get(), inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8, t->srgb.get(),
                                  TYPE_BGRA_8, INTENT_PERCEPTUAL, 0));
    if (t->t)
        transform_ = std::move(t);
}

CmykRows::~CmykRows() = default;

void CmykRows::Convert(const uchar *cmyk, quint32 *rgb, int width) const
{
    if (transform_) {
        cmsDoTransform(transform_->t.get(), cmyk, rgb, cmsUInt32Number(width));
        for (int x = 0; x < width; ++x)
            rgb[x] |= 0xFF000000u;
        return;
    }
    // Without a profile: ink removes its share of the light.
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted_) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[x] = 0xFF000000u | quint32(c * k / 255) << 16 | quint32(m * k / 255) << 8 | quint32(y * k / 255);
    }
}

} // namespace tamarie
