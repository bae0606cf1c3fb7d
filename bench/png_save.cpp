// links: tamarie_output
// The PNG save against libpng's default encoding, on the two kinds of picture
// the editor writes: a sharp 2000 x 2800 output (a detailed photo, text drawn
// at full size) and the screen capture resampled to 2000 x 2800.
// BM_PngAgainstLibpng runs both in each iteration, so both meet the same load;
// its counters: libpng's and our wall and CPU milliseconds, the ratio of the
// wall times, and both file sizes.
#include "output/arrangement_capture.h"
#include "output/picture_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

QImage samplePhoto()
{
    const QImage photo(QCoreApplication::applicationDirPath() + QStringLiteral("/Data/fukurouoyako_fm.jpg"));
    if (!photo.isNull())
        return photo;
    QImage stand(640, 480, QImage::Format_RGB32);
    QPainter p(&stand);
    QLinearGradient g(0, 0, 640, 480);
    g.setColorAt(0, QColor(60, 90, 40));
    g.setColorAt(1, QColor(200, 180, 120));
    p.fillRect(stand.rect(), g);
    return stand;
}

// Grain of the given strength, as a photograph carries at full resolution.
void addGrain(QImage &img, QRect area, int strength, unsigned seed)
{
    std::mt19937 rng(seed);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int n = int(rng() % unsigned(2 * strength + 1)) - strength;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
}

// A month of day numbers with rokuyo labels, in the given box.
void drawMonth(QPainter &p, QRectF box, double scale)
{
    static const char *const rokuyo[] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
    p.fillRect(box, QColor(166, 202, 240, 220));
    const double cw = box.width() / 7, ch = box.height() / 7;
    QFont title;
    title.setPixelSize(int(ch * 0.6));
    p.setFont(title);
    p.setPen(Qt::black);
    p.drawText(QRectF(box.left(), box.top(), box.width(), ch), Qt::AlignCenter, QStringLiteral("2027年 1月"));
    QFont day;
    day.setPixelSize(int(ch * 0.45));
    QFont label;
    label.setPixelSize(std::max(6, int(ch * 0.18)));
    for (int d = 0; d < 31; ++d) {
        const int col = (d + 5) % 7, row = (d + 5) / 7 + 1;
        const QRectF cell(box.left() + col * cw, box.top() + row * ch, cw, ch);
        p.setPen(col == 0 ? Qt::red : col == 6 ? Qt::blue : Qt::black);
        p.setFont(day);
        p.drawText(cell.adjusted(0, 0, 0, -ch * 0.3), Qt::AlignCenter, QString::number(d + 1));
        p.setFont(label);
        p.setPen(Qt::darkGray);
        p.drawText(cell.adjusted(0, ch * 0.6, 0, 0), Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(rokuyo[d % 6]));
    }
    p.setPen(QPen(Qt::gray, scale));
    for (int i = 1; i < 7; ++i)
        p.drawLine(QPointF(box.left(), box.top() + i * ch), QPointF(box.right(), box.top() + i * ch));
}

// The arrangement drawn afresh at 2000 x 2800: the photo from its original at
// full size with its detail, the calendars' text sharp.
QImage sharpOutput()
{
    QImage out(2000, 2800, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(QRect(0, 0, 2000, 1500), samplePhoto());
    p.end();
    addGrain(out, QRect(0, 0, 2000, 1500), 10, 11);
    p.begin(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawMonth(p, QRectF(100, 1600, 860, 1100), 3.4);
    drawMonth(p, QRectF(1040, 1600, 860, 1100), 3.4);
    p.end();
    return out.convertToFormat(QImage::Format_RGB888);
}

// The described path: the paper composed at screen size, resampled.
QImage resampledCapture()
{
    tamarie::ArrangementRendering a;
    a.paper = QImage(590, 830, QImage::Format_RGB32);
    a.paper.fill(Qt::white);
    QPainter p(&a.paper);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, 590, 440), samplePhoto());
    p.end();
    for (int i = 0; i < 2; ++i) {
        tamarie::CalendarPairRendering pair;
        pair.backGeometry = pair.calendarGeometry = QRect(30 + 270 * i, 470, 255, 330);
        pair.backColor = QColor(166, 202, 240);
        pair.alpha = 220;
        pair.calendar = QImage(255, 330, QImage::Format_RGB32);
        pair.calendar.fill(pair.backColor);
        QPainter c(&pair.calendar);
        c.setRenderHint(QPainter::TextAntialiasing);
        drawMonth(c, QRectF(0, 0, 255, 330), 1);
        c.end();
        pair.keyColor = QColor(1, 2, 3);
        a.pairs.push_back(pair);
    }
    QString error;
    return tamarie::CaptureCalendarPicture(a, &error).convertToFormat(QImage::Format_RGB888);
}

QString tempPath(const QString &name)
{
    static QTemporaryDir dir;
    return dir.filePath(name);
}

// libpng with its default settings into a plain FILE.
bool libpngDefault(const QImage &picture, const QString &path)
{
    FILE *f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height(); ++y)
        png_write_row(png, const_cast<png_bytep>(picture.constScanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

struct Times {
    double wall = 0, cpu = 0;
};

template <typename F>
Times timed(F &&f)
{
    timespec c0, c1;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
    const auto w0 = std::chrono::steady_clock::now();
    f();
    const auto w1 = std::chrono::steady_clock::now();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
    return {std::chrono::duration<double, std::milli>(w1 - w0).count(),
            (c1.tv_sec - c0.tv_sec) * 1e3 + (c1.tv_nsec - c0.tv_nsec) / 1e6};
}

void pngAgainstLibpng(benchmark::State &state, const QImage &picture, const char *name)
{
    const QString theirs = tempPath(QStringLiteral("libpng-%1.png").arg(QLatin1String(name)));
    const QString ours = tempPath(QStringLiteral("ours-%1.png").arg(QLatin1String(name)));
    Times sumTheirs, sumOurs;
    for (auto _ : state) {
        bool ok = true;
        const Times t = timed([&] { ok = libpngDefault(picture, theirs); });
        QString error;
        const Times o = timed([&] { ok = ok && tamarie::WritePng(picture, ours, &error); });
        if (!ok) {
            state.SkipWithError("a PNG was not written");
            return;
        }
        sumTheirs.wall += t.wall;
        sumTheirs.cpu += t.cpu;
        sumOurs.wall += o.wall;
        sumOurs.cpu += o.cpu;
    }
    const double n = double(state.iterations());
    state.counters["libpng_ms"] = sumTheirs.wall / n;
    state.counters["libpng_cpu_ms"] = sumTheirs.cpu / n;
    state.counters["ours_ms"] = sumOurs.wall / n;
    state.counters["ours_cpu_ms"] = sumOurs.cpu / n;
    state.counters["ratio"] = sumOurs.wall / sumTheirs.wall;
    state.counters["libpng_bytes"] = double(QFileInfo(theirs).size());
    state.counters["ours_bytes"] = double(QFileInfo(ours).size());
    state.counters["size_ratio"] = double(QFileInfo(ours).size()) / double(QFileInfo(theirs).size());
}

void BM_PngAgainstLibpng_SharpOutput(benchmark::State &state)
{
    static const QImage picture = sharpOutput();
    pngAgainstLibpng(state, picture, "sharp");
}
BENCHMARK(BM_PngAgainstLibpng_SharpOutput)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_PngAgainstLibpng_ResampledCapture(benchmark::State &state)
{
    static const QImage picture = resampledCapture();
    pngAgainstLibpng(state, picture, "resampled");
}
BENCHMARK(BM_PngAgainstLibpng_ResampledCapture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // text drawing in the pictures
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
