#pragma once
// The straightforward bilinear resampler, written out step by step: a 24-bit
// copy of the source, one row reference per source and destination row, and
// the channel formula in double precision for every destination byte. The
// fast resampler must give exactly these bytes.
#include <QImage>

#include <cmath>
#include <cstdint>
#include <vector>

namespace reference {

struct Triple {
    std::uint8_t b, g, r;
};

inline QImage Resample(const QImage &source, int width, int height)
{
    const int sw = source.width(), sh = source.height();
    // 24-bit copy; a 32-bit source loses its fourth byte as it is.
    std::vector<std::vector<Triple>> copy(sh, std::vector<Triple>(sw));
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) {
            if (source.depth() == 32) {
                const std::uint32_t p = reinterpret_cast<const std::uint32_t *>(source.constScanLine(y))[x];
                copy[y][x] = {std::uint8_t(p), std::uint8_t(p >> 8), std::uint8_t(p >> 16)};
            } else {
                const QRgb p = source.pixel(x, y);
                copy[y][x] = {std::uint8_t(qBlue(p)), std::uint8_t(qGreen(p)), std::uint8_t(qRed(p))};
            }
        }
    QImage dst(width, height, QImage::Format_RGB888);
    const double fx = double(sw) / width;
    const double fy = double(sh) / height;
    for (int y = 0; y < height; ++y) {
        const double v = (y + 0.5) * fy - 0.5;
        const int iy = int(std::floor(v));
        const double ty = v - iy;
        const std::vector<Triple> &upper = copy[iy < 0 ? 0 : iy];
        const std::vector<Triple> &lower = copy[iy + 1 > sh - 1 ? sh - 1 : iy + 1];
        std::uint8_t *out = dst.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) * fx - 0.5;
            const int ix = int(std::floor(u));
            const double tx = u - ix;
            const int left = ix < 0 ? 0 : ix;
            const int right = ix + 1 > sw - 1 ? sw - 1 : ix + 1;
            const Triple a = upper[left], b = upper[right], c = lower[left], d = lower[right];
            auto channel = [&](int pa, int pb, int pc, int pd) {
                const double value = tx * (pb - pa) + tx * ty * (pa + pd - pb - pc) + ty * (pc - pa) + pa;
                return std::uint8_t(std::nearbyint(value));
            };
            out[3 * x] = channel(a.r, b.r, c.r, d.r);
            out[3 * x + 1] = channel(a.g, b.g, c.g, d.g);
            out[3 * x + 2] = channel(a.b, b.b, c.b, d.b);
        }
    }
    return dst;
}

} // namespace reference
