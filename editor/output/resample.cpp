#include "resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TAMARIE_RESAMPLE_X86 1
#endif

namespace tamarie {

namespace {

// Everything that depends on the destination column only, computed once:
// the source columns of the left and right neighbours of column x, and the
// horizontal weight tx of each destination byte k = 3 * x + channel.
struct Columns {
    std::vector<std::int32_t> left;   // source column of the left neighbour, per x
    std::vector<std::int32_t> right;  // source column of the right neighbour, per x
    std::vector<double> tx;           // per byte k (repeated for the three channels)
};

struct Source {
    const uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    bool fourBytes = false;  // 32-bit pixels 0xAARRGGBB; else R, G, B bytes
    int width = 0;
    int height = 0;
};

// A source row spread out to destination bytes: for every destination byte
// the channel value of the left and of the right neighbour.
struct SpreadRow {
    int row = -1;
    std::vector<std::int32_t> left;
    std::vector<std::int32_t> right;
};

void spread(const Source &src, const Columns &cols, int row, SpreadRow &out)
{
    const uchar *line = src.bits + src.bytesPerLine * row;
    const std::size_t w = cols.left.size();
    std::int32_t *l = out.left.data();
    std::int32_t *r = out.right.data();
    if (src.fourBytes) {
        const auto *px = reinterpret_cast<const std::uint32_t *>(line);
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t a = px[cols.left[x]];
            const std::uint32_t b = px[cols.right[x]];
            l[3 * x] = (a >> 16) & 0xFF;
            l[3 * x + 1] = (a >> 8) & 0xFF;
            l[3 * x + 2] = a & 0xFF;
            r[3 * x] = (b >> 16) & 0xFF;
            r[3 * x + 1] = (b >> 8) & 0xFF;
            r[3 * x + 2] = b & 0xFF;
        }
    } else {
        for (std::size_t x = 0; x < w; ++x) {
            const uchar *a = line + 3 * std::size_t(cols.left[x]);
            const uchar *b = line + 3 * std::size_t(cols.right[x]);
            l[3 * x] = a[0];
            l[3 * x + 1] = a[1];
            l[3 * x + 2] = a[2];
            r[3 * x] = b[0];
            r[3 * x + 1] = b[1];
            r[3 * x + 2] = b[2];
        }
    }
    out.row = row;
}

inline uchar roundChannel(double value)
{
    const double r = std::nearbyint(value);
    return uchar(r < 0 ? 0 : (r > 255 ? 255 : r));
}

// The value of one destination byte; the order of the operations is part of
// the result (no reassociation), so every path below uses exactly this one.
void blendRowScalar(const SpreadRow &up, const SpreadRow &down, const double *tx, double ty, uchar *dst,
                    std::size_t begin, std::size_t end)
{
    for (std::size_t k = begin; k < end; ++k) {
        const int a = up.left[k], b = up.right[k], c = down.left[k], d = down.right[k];
        const double value = tx[k] * (b - a) + tx[k] * ty * (a + d - b - c) + ty * (c - a) + a;
        dst[k] = roundChannel(value);
    }
}

#ifdef TAMARIE_RESAMPLE_X86
// Same arithmetic, four doubles at a time: mul and add are IEEE operations
// in both paths and nothing is fused, so the bytes are identical.
__attribute__((target("avx2"))) void blendRowAvx2(const SpreadRow &up, const SpreadRow &down, const double *tx,
                                                  double ty, uchar *dst, std::size_t n)
{
    const __m256d vty = _mm256_set1_pd(ty);
    std::size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(up.left.data() + k));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(up.right.data() + k));
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(down.left.data() + k));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(down.right.data() + k));
        const __m256i ba = _mm256_sub_epi32(b, a);
        const __m256i cross = _mm256_sub_epi32(_mm256_sub_epi32(_mm256_add_epi32(a, d), b), c);
        const __m256i ca = _mm256_sub_epi32(c, a);
        __m128i out[2];
        for (int h = 0; h < 2; ++h) {
            const __m128i ba4 = h ? _mm256_extracti128_si256(ba, 1) : _mm256_castsi256_si128(ba);
            const __m128i cr4 = h ? _mm256_extracti128_si256(cross, 1) : _mm256_castsi256_si128(cross);
            const __m128i ca4 = h ? _mm256_extracti128_si256(ca, 1) : _mm256_castsi256_si128(ca);
            const __m128i a4 = h ? _mm256_extracti128_si256(a, 1) : _mm256_castsi256_si128(a);
            const __m256d vtx = _mm256_loadu_pd(tx + k + 4 * h);
            const __m256d txty = _mm256_mul_pd(vtx, vty);
            __m256d v = _mm256_add_pd(_mm256_mul_pd(vtx, _mm256_cvtepi32_pd(ba4)),
                                      _mm256_mul_pd(txty, _mm256_cvtepi32_pd(cr4)));
            v = _mm256_add_pd(v, _mm256_mul_pd(vty, _mm256_cvtepi32_pd(ca4)));
            v = _mm256_add_pd(v, _mm256_cvtepi32_pd(a4));
            v = _mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
            out[h] = _mm256_cvtpd_epi32(v);
        }
        const __m128i words = _mm_packus_epi32(out[0], out[1]);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(dst + k), _mm_packus_epi16(words, words));
    }
    blendRowScalar(up, down, tx, ty, dst, k, n);
}

bool haveAvx2()
{
    static const bool yes = __builtin_cpu_supports("avx2");
    return yes;
}
#endif

struct Target {
    uchar *bits;
    qsizetype bytesPerLine;
};

// Destination rows [y0, y1); spreadRows are two spread rows of this worker, sized
// beforehand so that nothing allocates inside a thread.
void resampleRows(const Source &src, const Columns &cols, double fy, Target dst, SpreadRow *spreadRows, int y0, int y1,
                  bool vector)
{
    const std::size_t n = cols.tx.size();
    auto rowFor = [&](int row, const SpreadRow *keep) -> SpreadRow & {
        for (int i = 0; i < 2; ++i)
            if (spreadRows[i].row == row)
                return spreadRows[i];
        SpreadRow &victim = (&spreadRows[0] == keep) ? spreadRows[1] : spreadRows[0];
        spread(src, cols, row, victim);
        return victim;
    };
    const int sh = src.height;
    for (int y = y0; y < y1; ++y) {
        const double v = (y + 0.5) * fy - 0.5;
        const double fl = std::floor(v);
        const double ty = v - fl;
        const int iy = int(fl);
        const int upper = std::clamp(iy, 0, sh - 1);
        const int lower = std::clamp(iy + 1, 0, sh - 1);
        SpreadRow &up = rowFor(upper, nullptr);
        SpreadRow &down = rowFor(lower, &up);
        uchar *line = dst.bits + dst.bytesPerLine * y;
#ifdef TAMARIE_RESAMPLE_X86
        if (vector && haveAvx2()) {
            blendRowAvx2(up, down, cols.tx.data(), ty, line, n);
            continue;
        }
#endif
        blendRowScalar(up, down, cols.tx.data(), ty, line, 0, n);
    }
}

QImage resample(const QImage &source, int width, int height, bool vector)
{
    if (source.isNull() || source.width() < 1 || source.height() < 1 || width < 1 || height < 1)
        return {};
    QImage converted;
    Source src;
    switch (source.format()) {
    case QImage::Format_RGB888:
        converted = source;
        break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        converted = source;
        src.fourBytes = true;
        break;
    default:
        converted = source.convertToFormat(QImage::Format_RGB888);
        if (converted.isNull())
            return {};
    }
    src.bits = converted.constBits();
    src.bytesPerLine = converted.bytesPerLine();
    src.width = converted.width();
    src.height = converted.height();

    QImage dst(width, height, QImage::Format_RGB888);
    if (dst.isNull())
        return {};
    try {
        const int sw = src.width;
        const double fx = double(sw) / width;
        const double fy = double(src.height) / height;
        Columns cols;
        cols.left.resize(std::size_t(width));
        cols.right.resize(std::size_t(width));
        cols.tx.resize(3 * std::size_t(width));
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) * fx - 0.5;
            const double fl = std::floor(u);
            const int ix = int(fl);
            cols.left[x] = std::clamp(ix, 0, sw - 1);
            cols.right[x] = std::clamp(ix + 1, 0, sw - 1);
            cols.tx[3 * std::size_t(x)] = cols.tx[3 * std::size_t(x) + 1] = cols.tx[3 * std::size_t(x) + 2] = u - fl;
        }

        // Rows are independent: split them between the cores when the
        // picture is big enough to pay for a thread.
        const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), 4u));
        const int parts = (std::int64_t(width) * height >= 256 * 1024) ? int(std::min<unsigned>(cores, unsigned(height))) : 1;
        std::vector<SpreadRow> spreadRows(2 * std::size_t(parts));
        for (auto &s : spreadRows) {
            s.left.resize(cols.tx.size());
            s.right.resize(cols.tx.size());
        }
        const Target target{dst.bits(), dst.bytesPerLine()};
        std::vector<std::thread> workers;
        workers.reserve(std::size_t(parts));
        int begin = 0;
        for (int p = 0; p < parts; ++p) {
            const int end = int(std::int64_t(height) * (p + 1) / parts);
            SpreadRow *mine = &spreadRows[2 * std::size_t(p)];
            bool started = false;
            if (p + 1 < parts) {
                try {
                    workers.emplace_back([&, mine, begin, end] { resampleRows(src, cols, fy, target, mine, begin, end, vector); });
                    started = true;
                } catch (const std::system_error &) {
                }
            }
            if (!started)
                resampleRows(src, cols, fy, target, mine, begin, end, vector);
            begin = end;
        }
        for (auto &w : workers)
            w.join();
    } catch (const std::bad_alloc &) {
        return {};
    }
    return dst;
}

} // namespace

QImage ResampleBitmap(const QImage &source, int width, int height) { return resample(source, width, height, true); }

QImage ResampleBitmapPortable(const QImage &source, int width, int height)
{
    return resample(source, width, height, false);
}

} // namespace tamarie
