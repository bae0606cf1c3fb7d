#include "png_writer.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace tamarie {

namespace {

constexpr int kBpp = 3;                       // bytes a pixel: 8-bit RGB
constexpr std::size_t kIdatSize = 256 * 1024;  // bytes of stream in one IDAT chunk
constexpr int kMinBandRows = 64;               // smaller bands lose more than they gain

// --- Filtering ---------------------------------------------------------------
// The five filters over one row; prev is a zero row above the first.  Each
// loop reads only the source rows, so the compiler vectorises it.

inline int paethPredict(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Sum of the bytes read as signed: libpng's measure of how well a row packs.
unsigned magnitude(const uint8_t *f, std::size_t n)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += unsigned(std::abs(int(int8_t(f[i]))));
    return sum;
}

void filterSub(const uint8_t *x, std::size_t n, uint8_t *out)
{
    for (std::size_t i = 0; i < kBpp; ++i)
        out[i] = x[i];
    for (std::size_t i = kBpp; i < n; ++i)
        out[i] = uint8_t(x[i] - x[i - kBpp]);
}

void filterUp(const uint8_t *x, const uint8_t *p, std::size_t n, uint8_t *out)
{
    for (std::size_t i = 0; i < n; ++i)
        out[i] = uint8_t(x[i] - p[i]);
}

void filterAverage(const uint8_t *x, const uint8_t *p, std::size_t n, uint8_t *out)
{
    for (std::size_t i = 0; i < kBpp; ++i)
        out[i] = uint8_t(x[i] - (p[i] >> 1));
    for (std::size_t i = kBpp; i < n; ++i)
        out[i] = uint8_t(x[i] - ((unsigned(x[i - kBpp]) + p[i]) >> 1));
}

void filterPaeth(const uint8_t *x, const uint8_t *p, std::size_t n, uint8_t *out)
{
    for (std::size_t i = 0; i < kBpp; ++i)
        out[i] = uint8_t(x[i] - p[i]);
    for (std::size_t i = kBpp; i < n; ++i)
        out[i] = uint8_t(x[i] - paethPredict(x[i - kBpp], p[i], p[i - kBpp]));
}

// Writes the filter byte and the filtered row to out (n + 1 bytes).
void filterRow(const uint8_t *x, const uint8_t *p, std::size_t n, uint8_t *scratch, uint8_t *out)
{
    uint8_t *candidates[4] = {scratch, scratch + n, scratch + 2 * n, scratch + 3 * n};
    filterSub(x, n, candidates[0]);
    filterUp(x, p, n, candidates[1]);
    filterAverage(x, p, n, candidates[2]);
    filterPaeth(x, p, n, candidates[3]);
    const uint8_t *best = x;
    int bestType = 0;
    unsigned bestSum = magnitude(x, n);
    for (int t = 0; t < 4; ++t) {
        const unsigned sum = magnitude(candidates[t], n);
        if (sum < bestSum) {
            bestSum = sum;
            best = candidates[t];
            bestType = t + 1;
        }
    }
    out[0] = uint8_t(bestType);
    std::memcpy(out + 1, best, n);
}

// --- Joining separately compressed bands -------------------------------------
// libdeflate writes each band as a whole deflate stream whose last block is
// marked final.  Decoding it block by block finds that mark; clearing it and
// ending the band with an empty stored block (a byte-aligned, non-final
// boundary) lets the next band's stream follow as the rest of the same stream.
bool continueAfter(std::vector<uint8_t> &deflated)
{
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK)
        return false;
    std::vector<uint8_t> sink(64 * 1024);
    z.next_in = deflated.data();
    z.avail_in = uInt(deflated.size());
    std::size_t headerByte = 0;
    uint8_t headerBit = 1;
    bool ok = false;
    int unusedBits = 0;
    for (;;) {
        z.next_out = sink.data();
        z.avail_out = uInt(sink.size());
        const int ret = inflate(&z, Z_BLOCK);
        if (ret != Z_OK && ret != Z_STREAM_END)
            break;
        if (z.data_type & 128) {  // at a block boundary
            unusedBits = z.data_type & 7;
            if (z.data_type & 64) {  // the final block has just ended
                ok = true;
                break;
            }
            const std::size_t used = std::size_t(z.next_in - deflated.data());
            if (unusedBits) {
                headerByte = used - 1;
                headerBit = uint8_t(0x100 >> unusedBits);
            } else {
                headerByte = used;
                headerBit = 1;
            }
        }
        if (ret == Z_STREAM_END || (z.avail_in == 0 && z.avail_out != 0))
            break;
    }
    const std::size_t end = std::size_t(z.next_in - deflated.data());
    inflateEnd(&z);
    if (!ok || headerByte >= end)
        return false;
    deflated.resize(end);
    deflated[headerByte] &= uint8_t(~headerBit);
    // Unused bits of the last byte are zero; an empty stored block's header
    // (three zero bits) goes there, or into one more byte, then LEN and NLEN.
    deflated.back() &= uint8_t((0x100 >> unusedBits) - 1);
    if (unusedBits < 3)
        deflated.push_back(0);
    const uint8_t stored[4] = {0x00, 0x00, 0xFF, 0xFF};
    deflated.insert(deflated.end(), stored, stored + 4);
    return true;
}

struct Band {
    int firstRow = 0;
    int rows = 0;
    std::vector<uint8_t> deflated;
    uint32_t adler = 1;
    bool ok = false;
};

struct Compressor {
    explicit Compressor(int level) : c(libdeflate_alloc_compressor(level)) {}
    ~Compressor() { libdeflate_free_compressor(c); }
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;
    libdeflate_compressor *c;
};

void encodeBand(const QImage &rgb, Band &band, bool last, libdeflate_compressor *compressor)
{
    const std::size_t n = std::size_t(rgb.width()) * kBpp;
    std::vector<uint8_t> filtered((n + 1) * std::size_t(band.rows));
    std::vector<uint8_t> scratch(4 * n);
    const std::vector<uint8_t> zeros(band.firstRow == 0 ? n : 0);
    for (int r = 0; r < band.rows; ++r) {
        const int y = band.firstRow + r;
        const uint8_t *above = y == 0 ? zeros.data() : rgb.constScanLine(y - 1);
        filterRow(rgb.constScanLine(y), above, n, scratch.data(), filtered.data() + (n + 1) * std::size_t(r));
    }
    band.adler = libdeflate_adler32(1, filtered.data(), filtered.size());
    band.deflated.resize(libdeflate_deflate_compress_bound(compressor, filtered.size()) + 8);
    const std::size_t size = libdeflate_deflate_compress(compressor, filtered.data(), filtered.size(),
                                                         band.deflated.data(), band.deflated.size());
    if (size == 0)
        return;
    band.deflated.resize(size);
    band.ok = last || continueAfter(band.deflated);
}

// Runs the bands on up to `threads` threads, this one included.  A thread that
// cannot start only leaves more work for the others.
bool encodeBands(const QImage &rgb, std::vector<Band> &bands, int threads, int level)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        try {
            Compressor compressor(level);
            if (!compressor.c) {
                failed = true;
                return;
            }
            for (std::size_t i; !failed && (i = next++) < bands.size();) {
                encodeBand(rgb, bands[i], i + 1 == bands.size(), compressor.c);
                if (!bands[i].ok)
                    failed = true;
            }
        } catch (const std::bad_alloc &) {
            failed = true;
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error &) {
            break;
        }
    }
    work();
    for (std::thread &t : helpers)
        t.join();
    return !failed;
}

// --- The file --------------------------------------------------------------

void putBe32(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

class ChunkWriter {
public:
    explicit ChunkWriter(const PngSink &sink) : sink_(sink) {}

    bool raw(const void *data, std::size_t size) { return ok_ = ok_ && sink_(static_cast<const char *>(data), qint64(size)); }

    bool chunk(const char type[4], const uint8_t *data, std::size_t size)
    {
        uint8_t head[8];
        putBe32(head, uint32_t(size));
        std::memcpy(head + 4, type, 4);
        uint8_t crc[4];
        uint32_t sum = libdeflate_crc32(0, head + 4, 4);
        if (size > 0)  // given no buffer, libdeflate answers its initial value
            sum = libdeflate_crc32(sum, data, size);
        putBe32(crc, sum);
        return raw(head, 8) && (size == 0 || raw(data, size)) && raw(crc, 4);
    }

    // Stream bytes, gathered into IDAT chunks of kIdatSize.
    bool idat(const uint8_t *data, std::size_t size)
    {
        while (ok_ && size > 0) {
            const std::size_t take = std::min(size, kIdatSize - pending_.size());
            pending_.insert(pending_.end(), data, data + take);
            data += take;
            size -= take;
            if (pending_.size() == kIdatSize)
                flushIdat();
        }
        return ok_;
    }
    bool flushIdat()
    {
        if (!pending_.empty())
            chunk("IDAT", pending_.data(), pending_.size());
        pending_.clear();
        return ok_;
    }

private:
    const PngSink &sink_;
    std::vector<uint8_t> pending_;
    bool ok_ = true;
};

uint8_t zlibLevelFlags(int level)
{
    // FLEVEL, then FCHECK so that the header is a multiple of 31.
    const unsigned flevel = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    unsigned flg = flevel << 6;
    flg += 31 - (0x78 * 256 + flg) % 31;
    return uint8_t(flg);
}

} // namespace

bool EncodePng(const QImage &picture, const PngSink &sink, QString *error, const PngOptions &options)
{
    auto fail = [error](const char *text) {
        if (error)
            *error = QString::fromLatin1(text);
        return false;
    };
    const QImage rgb = picture.format() == QImage::Format_RGB888 ? picture : picture.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        return fail(picture.isNull() ? "empty picture" : "out of memory");
    const int height = rgb.height();
    int threads = options.threads > 0 ? options.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, std::max(1, height / kMinBandRows));
    // More bands than threads keep both busy when one is slowed by other work.
    const int bandCount = std::min(threads == 1 ? 1 : 4 * threads, std::max(1, height / kMinBandRows));
    std::vector<Band> bands(static_cast<std::size_t>(bandCount));
    for (int b = 0; b < bandCount; ++b) {
        bands[std::size_t(b)].firstRow = int(qint64(height) * b / bandCount);
        bands[std::size_t(b)].rows = int(qint64(height) * (b + 1) / bandCount) - bands[std::size_t(b)].firstRow;
    }
    const int level = std::clamp(options.level, 1, 12);
    try {
        if (!encodeBands(rgb, bands, threads, level))
            return fail("PNG compression failed");

        ChunkWriter out(sink);
        static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        uint8_t ihdr[13] = {};
        putBe32(ihdr, uint32_t(rgb.width()));
        putBe32(ihdr + 4, uint32_t(height));
        ihdr[8] = 8;  // bit depth
        ihdr[9] = 2;  // colour type: RGB
        const uint8_t zlibHeader[2] = {0x78, zlibLevelFlags(level)};
        // The numbers are sRGB's (perceptual intent), as the screen shows them.
        const uint8_t srgb = 0;
        bool ok = out.raw(signature, 8) && out.chunk("IHDR", ihdr, sizeof ihdr) && out.chunk("sRGB", &srgb, 1) &&
                  out.idat(zlibHeader, 2);
        uLong adler = 1;
        for (const Band &band : bands) {
            ok = ok && out.idat(band.deflated.data(), band.deflated.size());
            const z_off_t filteredSize = z_off_t((qint64(rgb.width()) * kBpp + 1) * band.rows);
            adler = adler32_combine(adler, band.adler, filteredSize);
        }
        uint8_t trailer[4];
        putBe32(trailer, uint32_t(adler));
        ok = ok && out.idat(trailer, 4) && out.flushIdat() && out.chunk("IEND", nullptr, 0);
        if (!ok)
            return fail("write failed");
    } catch (const std::bad_alloc &) {
        return fail("out of memory");
    }
    return true;
}

} // namespace tamarie
