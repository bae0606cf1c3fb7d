#include "area_reducer.h"

#include <algorithm>
#include <cmath>

namespace tamarie {

namespace {

// Weights of source cells [i, i+1) within [a, b), per cell from floor(a).
void Coverage(double a, double b, std::vector<float> &weights, int &first)
{
    first = int(std::floor(a));
    const int last = std::max(first, int(std::ceil(b)) - 1);
    for (int i = first; i <= last; ++i)
        weights.push_back(float(std::min(b, double(i + 1)) - std::max(a, double(i))));
}

} // namespace

AreaReducer::AreaReducer(const QSize &sourceSize, const QSize &target, bool alpha)
    : sw_(sourceSize.width()), sh_(sourceSize.height())
{
    if (sw_ <= 0 || sh_ <= 0 || target.width() <= 0 || target.height() <= 0)
        return;
    dw_ = std::min(sw_, target.width());
    dh_ = std::min(sh_, target.height());
    channels_ = alpha ? 4 : 3;
    out_ = QImage(dw_, dh_, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (out_.isNull())
        return;
    const double sx = double(sw_) / dw_;
    sy_ = double(sh_) / dh_;
    first_.resize(dw_);
    weightAt_.resize(dw_ + 1);
    for (int x = 0; x < dw_; ++x) {
        weightAt_[x] = int(weights_.size());
        Coverage(x * sx, std::min(double(sw_), (x + 1) * sx), weights_, first_[x]);
    }
    weightAt_[dw_] = int(weights_.size());
    // Each output pixel averages sx * sy source pixels.
    const float norm = float(1.0 / (sx * sy_));
    for (float &w : weights_)
        w *= norm;
    line_.assign(size_t(dw_) * channels_, 0.f);
    sums_.assign(size_t(dw_) * channels_, 0.f);
}

void AreaReducer::AddRow(const quint32 *row)
{
    if (out_.isNull() || row_ >= sh_)
        return;
    if (channels_ == 4)
        ReduceAcross<4>(row);
    else
        ReduceAcross<3>(row);
    // The source row [row_, row_ + 1) is shared by the output rows it overlaps.
    double top = row_;
    const double bottom = row_ + 1.0;
    while (top < bottom && outRow_ < dh_) {
        const double end = std::min(double(sh_), (outRow_ + 1) * sy_);
        const float w = float(std::min(bottom, end) - top);
        for (size_t i = 0; i < sums_.size(); ++i)
            sums_[i] += w * line_[i];
        if (end <= bottom || row_ + 1 == sh_) {
            Emit(outRow_++);
            std::fill(sums_.begin(), sums_.end(), 0.f);
        }
        top = std::min(bottom, end);
    }
    ++row_;
}

template <int C>
void AreaReducer::ReduceAcross(const quint32 *row)
{
    float *l = line_.data();
    for (int x = 0; x < dw_; ++x, l += C) {
        float r = 0, g = 0, b = 0, a = 0;
        const float *w = weights_.data() + weightAt_[x];
        const int n = weightAt_[x + 1] - weightAt_[x];
        const quint32 *p = row + first_[x];
        for (int i = 0; i < n; ++i) {
            const quint32 v = p[i];
            r += w[i] * float((v >> 16) & 0xFF);
            g += w[i] * float((v >> 8) & 0xFF);
            b += w[i] * float(v & 0xFF);
            if constexpr (C == 4)
                a += w[i] * float(v >> 24);
        }
        l[0] = r;
        l[1] = g;
        l[2] = b;
        if constexpr (C == 4)
            l[3] = a;
    }
}

void AreaReducer::AddBytesRow(const uchar *p, int bytesPerPixel, bool premultiplied)
{
    packed_.resize(size_t(sw_));
    const bool alpha = bytesPerPixel == 4;
    for (int x = 0; x < sw_; ++x, p += bytesPerPixel) {
        quint32 r = p[0], g = p[1], b = p[2], a = alpha ? p[3] : 255;
        if (alpha && !premultiplied) {
            r = (r * a + 127) / 255;
            g = (g * a + 127) / 255;
            b = (b * a + 127) / 255;
        }
        packed_[size_t(x)] = a << 24 | r << 16 | g << 8 | b;
    }
    AddRow(packed_.data());
}

void AreaReducer::Emit(int y)
{
    auto *out = reinterpret_cast<quint32 *>(out_.scanLine(y));
    // Sums are never negative: rounding is adding a half and cutting off.
    auto to8 = [](float v) { return quint32(std::clamp(v + 0.5f, 0.f, 255.f)); };
    const float *s = sums_.data();
    for (int x = 0; x < dw_; ++x, s += channels_) {
        const quint32 a = channels_ == 4 ? to8(s[3]) : 255;
        // Premultiplied colour never exceeds its alpha.
        const quint32 r = std::min(a, to8(s[0])), g = std::min(a, to8(s[1])), b = std::min(a, to8(s[2]));
        out[x] = a << 24 | r << 16 | g << 8 | b;
    }
}

QImage AreaReducer::Take()
{
    while (outRow_ < dh_ && !out_.isNull())
        Emit(outRow_++);  // rows never given stay as summed so far
    QImage done = std::move(out_);
    out_ = QImage();
    return done;
}

QImage AreaReducer::Reduce(const QImage &source, const QSize &target)
{
    if (source.isNull())
        return {};
    const bool alpha = source.hasAlphaChannel();
    const QImage::Format wanted = alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    AreaReducer reducer(source.size(), target, alpha);
    if (!reducer.Valid())
        return {};
    // Other formats are converted a strip at a time, never whole.
    constexpr int kStrip = 64;
    const bool direct = source.format() == wanted || (!alpha && source.format() == QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); y += kStrip) {
        const int rows = std::min(kStrip, source.height() - y);
        if (direct) {
            for (int i = 0; i < rows; ++i)
                reducer.AddRow(reinterpret_cast<const quint32 *>(source.constScanLine(y + i)));
            continue;
        }
        QImage view(source.constScanLine(y), source.width(), rows, source.bytesPerLine(), source.format());
        view.setColorTable(source.colorTable());
        const QImage strip = view.convertToFormat(wanted);
        for (int i = 0; i < rows; ++i)
            reducer.AddRow(reinterpret_cast<const quint32 *>(strip.constScanLine(i)));
    }
    return reducer.Take();
}

} // namespace tamarie
