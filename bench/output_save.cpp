// links: tamarie_output
// Saving the arrangement as a picture: the resample alone, libpng's own
// encoding of the final picture, and the whole save (compose, resample,
// encode, write) as PNG and as JPEG.
#include "output/arrangement_capture.h"
#include "output/picture_files.h"
#include "output/resample.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <random>

namespace {

// Something like a real capture: a photo with gradients and noise, two
// calendars with their backings.
tamarie::ArrangementRendering arrangement()
{
    tamarie::ArrangementRendering a;
    a.paper = QImage(610, 850, QImage::Format_RGB32);
    QPainter p(&a.paper);
    QLinearGradient sky(0, 0, 0, 850);
    sky.setColorAt(0, QColor(40, 60, 140));
    sky.setColorAt(1, QColor(240, 160, 90));
    p.fillRect(a.paper.rect(), sky);
    p.end();
    // Grain, as a photograph has.
    std::mt19937 rng(7);
    for (int y = 0; y < a.paper.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(a.paper.scanLine(y));
        for (int x = 0; x < a.paper.width(); ++x) {
            const int n = int(rng() % 17) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
    for (int i = 0; i < 2; ++i) {
        tamarie::CalendarPairRendering pair;
        pair.backGeometry = pair.calendarGeometry = QRect(40 + 260 * i, 480, 250, 220);
        pair.backColor = QColor(166, 202, 240);
        pair.alpha = 220;
        pair.calendar = QImage(250, 220, QImage::Format_RGB32);
        pair.calendar.fill(pair.backColor);
        QPainter c(&pair.calendar);
        c.setPen(Qt::black);
        for (int d = 1; d <= 31; ++d)
            c.drawText(10 + ((d - 1) % 7) * 33, 40 + ((d - 1) / 7) * 34, QString::number(d));
        c.end();
        pair.keyColor = pair.backColor;
        a.pairs.push_back(pair);
    }
    return a;
}

QString tempPath(const char *name)
{
    static QTemporaryDir dir;
    return dir.filePath(QString::fromLatin1(name));
}

void BM_Resample590x830To2000x2800(benchmark::State &state)
{
    const QImage capture = tamarie::ComposeArrangement(arrangement().paper, arrangement().pairs);
    for (auto _ : state)
        benchmark::DoNotOptimize(tamarie::ResampleBitmap(capture, 2000, 2800));
}
BENCHMARK(BM_Resample590x830To2000x2800)->Unit(benchmark::kMillisecond)->UseRealTime();

// libpng alone on the final picture, default settings, into a plain FILE.
void BM_LibpngOwnEncode(benchmark::State &state)
{
    QString error;
    const QImage picture = tamarie::CaptureCalendarPicture(arrangement(), &error);
    const QByteArray path = QFile::encodeName(tempPath("libpng.png"));
    for (auto _ : state) {
        FILE *f = std::fopen(path.constData(), "wb");
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            state.SkipWithError("libpng failed");
            break;
        }
        png_init_io(png, f);
        png_set_IHDR(png, info, 2000, 2800, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < picture.height(); ++y)
            png_write_row(png, const_cast<png_bytep>(picture.constScanLine(y)));
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
    }
}
BENCHMARK(BM_LibpngOwnEncode)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void wholeSave(benchmark::State &state, const char *name, tamarie::PictureFormat format)
{
    const tamarie::ArrangementRendering a = arrangement();
    const QString path = tempPath(name);
    for (auto _ : state) {
        QString error;
        const QImage picture = tamarie::CaptureCalendarPicture(a, &error);
        if (!tamarie::WritePicture(picture, path, format, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
}
void BM_WholeSavePng(benchmark::State &state) { wholeSave(state, "whole.png", tamarie::PictureFormat::Png); }
BENCHMARK(BM_WholeSavePng)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
void BM_WholeSaveJpeg(benchmark::State &state) { wholeSave(state, "whole.jpg", tamarie::PictureFormat::Jpeg); }
BENCHMARK(BM_WholeSaveJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_WholeSaveBmp(benchmark::State &state) { wholeSave(state, "whole.bmp", tamarie::PictureFormat::Bmp); }
BENCHMARK(BM_WholeSaveBmp)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // text drawing in the sample calendars
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
