// links: tamarie_main
// Work-state files of large photos, opened by the editor and drawn by
// tamarie-render, each run in a process of its own so that its peak memory
// is that process's maximum resident size:
//  - twelve 6000 x 4000 camera JPEGs: the editor's open (until it returns,
//    and until every frame shows its copy), a drag step and a wheel notch
//    over them; tamarie-render against djpeg decoding the twelve whole;
//  - one such JPEG named 100 times, and ten frames of a 11585 x 11585 PNG;
//  - how far the outputs' reduced decodes lie from decoding whole and then
//    averaging, as the mean difference per channel.
// A plain main printing figures; the photos are made here, in a temporary
// folder (bench_photo_files [FOLDER] keeps them in FOLDER for another run).
#include "area_reducer.h"
#include "camera_photo.h"
#include "dialogs.h"
#include "fonts.h"
#include "input_state.h"
#include "labeled_edit.h"
#include "photo_decoder.h"
#include "photo_image.h"
#include "photo_layers.h"
#include "tform1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

using namespace tamarie;

namespace {

void PngChunk(QFile &f, const char *type, const QByteArray &data)
{
    QByteArray chunk(type, 4);
    chunk += data;
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(chunk.size())));
    const quint32 length = quint32(data.size());
    const char len[4] = {char(length >> 24), char(length >> 16), char(length >> 8), char(length)};
    const char c[4] = {char(crc >> 24), char(crc >> 16), char(crc >> 8), char(crc)};
    f.write(len, 4);
    f.write(chunk);
    f.write(c, 4);
}

// A large RGB PNG in a small file: rows of one colour each, written a row at
// a time so that the picture never exists whole here (each row filtered as
// differences from its left neighbour: its first pixel, then zeros).
void WriteLargePng(const QString &path, int side)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("\x89PNG\r\n\x1A\n", 8);
    QByteArray ihdr(13, '\0');
    for (int i = 0; i < 2; ++i)
        for (int b = 0; b < 4; ++b)
            ihdr[i * 4 + b] = char(side >> (24 - 8 * b));
    ihdr[8] = 8;  // bits
    ihdr[9] = 2;  // RGB
    PngChunk(f, "IHDR", ihdr);
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15, 8, Z_RLE);
    std::vector<unsigned char> row(size_t(side) * 3 + 1, 0), out(1 << 16);
    row[0] = 1;
    for (int y = 0; y <= side; ++y) {
        const bool last = y == side;
        row[1] = uchar(qint64(y) * 255 / side);
        row[2] = 140;
        row[3] = uchar(255 - row[1]);
        z.next_in = row.data();
        z.avail_in = last ? 0 : uInt(row.size());
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            const size_t n = out.size() - z.avail_out;
            if (n)
                PngChunk(f, "IDAT", QByteArray(reinterpret_cast<const char *>(out.data()), qsizetype(n)));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    PngChunk(f, "IEND", {});
}

struct Run {
    double seconds = 0;
    double peakMb = 0;  // maximum resident size
    int status = -1;
};

Run RunProcess(const QStringList &args)
{
    std::vector<QByteArray> bytes;
    for (const QString &a : args)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Run r;
    r.seconds = clock.nsecsElapsed() / 1e9;
    r.peakMb = usage.ru_maxrss / 1024.0;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

QString Self() { return QCoreApplication::applicationFilePath(); }

void Load()
{
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("  (load average %.2f %.2f %.2f)\n", load[0], load[1], load[2]);
}

// --- In the child processes -------------------------------------------------

TForm1 *MakeEditor()
{
    fonts::InstallSubstitutions();
    dialogs::BeginScript();
    auto *form = new TForm1;
    form->show();
    QCoreApplication::processEvents();
    return form;
}

// --make FILE PHOTO...: a work-state file of twelve months and a frame for
// each photo; the frames of a photo named again get other sizes, so that
// each needs a copy of its own.
int MakeWorkState(const QStringList &args)
{
    TForm1 &f = *MakeEditor();
    f.LECalendarYear->setText(QStringLiteral("2026"));
    f.LECalendarMonth->setText(QStringLiteral("1"));
    f.LECalendarMonths->setText(QStringLiteral("12"));
    dialogs::Answer(false);
    f.BtnOKClick();
    const QStringList photos = args.mid(1);
    ScreenCopies::Instance().SetEnabled(false);
    Document d = f.Doc();
    while (d.PhotoCount() > 0)
        RemovePhoto(d, 0);
    for (int i = 0; i < photos.size(); ++i) {
        const int w = 300 - 2 * (i / 12), h = w * 2 / 3;
        const PaperPlace place =
            PlaceOf(QRect(8 * (i % 12), 10 * (i % 12) + 2 * (i / 12), w, h), d.paper.layoutSize);
        AddPhoto(d, {photos[i], place, place, 0});
    }
    f.History->Adjust(d);
    return f.SaveWorkState(args[0]) ? 0 : 1;
}

// --open FILE: the editor opens it; times until the open returns and until
// every frame shows its copy, then a drag step and a wheel notch.
int OpenWorkState(const QString &path)
{
    TForm1 &f = *MakeEditor();
    input::BeginScript();
    QElapsedTimer clock;
    clock.start();
    if (!f.OpenWorkStateFile(path))
        return 1;
    const double opened = clock.nsecsElapsed() / 1e6;
    const bool settled = WaitForScreenCopies(600000);
    const double shown = clock.nsecsElapsed() / 1e6;
    int withCopy = 0;
    for (int i = 0; i < f.ImgCount(); ++i)
        withCopy += f.ImgPicture[i]->ScreenCopy().isNull() ? 0 : 1;
    std::printf("  open returns %.0f ms; all %d frames show their copies after %.0f ms%s (%d do)\n", opened,
                f.ImgCount(), shown, settled ? "" : " (gave up)", withCopy);

    // A drag step of the photo on top, over the others.
    const int top = f.ImgCount() - 1;
    TImage *photo = f.ImgPicture[top];
    const auto mouse = [photo](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(at), QPointF(photo->mapToGlobal(at)), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(photo, &e);
    };
    mouse(QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton);
    constexpr int kSteps = 60;
    clock.restart();
    for (int i = 0; i < kSteps; ++i) {
        mouse(QEvent::MouseMove, QPoint(20 + (i % 2 ? -8 : 8), 20), Qt::LeftButton);
        f.Panel1->repaint();
        QCoreApplication::processEvents();
    }
    const double drag = clock.nsecsElapsed() / 1e6 / kSteps;
    // Wheel notches on it, growing and shrinking.
    input::SetFocusWidget(f.PageControl1);
    input::SetCursorPos(photo->mapToGlobal(QPoint(4, 4)));
    int distance = -120;
    clock.restart();
    for (int i = 0; i < kSteps; ++i) {
        f.MouseWheelStep(distance);
        f.Panel1->repaint();
        QCoreApplication::processEvents();
        distance = -distance;
    }
    const double wheel = clock.nsecsElapsed() / 1e6 / kSteps;
    std::printf("  drag step %.2f ms, wheel notch %.2f ms (means of %d, the paper repainted)\n", drag, wheel, kSteps);
    return 0;
}

// --fidelity FILE: how far each photo decoded for the pixels it covers in a
// picture 2000 and 4000 pixels wide lies from its whole decode reduced by
// the same averaging: mean and largest mean per channel, in levels of 255.
int Fidelity(const QString &path)
{
    TForm1 &f = *MakeEditor();
    ScreenCopies::Instance().SetEnabled(false);
    if (!f.OpenWorkStateFile(path))
        return 1;
    const Arrangement a = f.CaptureArrangement();
    for (const int width : {2000, 4000}) {
        const double scale = double(width) / a.paperSize.width();
        double sum[3] = {}, worst = 0, oursMs = 0, wholeMs = 0;
        qint64 pixels = 0;
        for (const PhotoLayer &layer : a.photos) {
            const QSize target = (QSizeF(layer.bounds.size()) * scale).toSize();
            QElapsedTimer clock;
            clock.start();
            const QImage ours = DecodePhoto(layer.fileName, {0, target}).image;
            oursMs += clock.nsecsElapsed() / 1e6;
            clock.restart();
            const QImage decoded = DecodePhoto(layer.fileName).image;
            wholeMs += clock.nsecsElapsed() / 1e6;
            const QImage whole = AreaReducer::Reduce(decoded, target);
            if (ours.isNull() || ours.size() != whole.size())
                return 1;
            double one[3] = {};
            for (int y = 0; y < ours.height(); ++y) {
                const auto *o = reinterpret_cast<const QRgb *>(ours.constScanLine(y));
                const auto *w = reinterpret_cast<const QRgb *>(whole.constScanLine(y));
                for (int x = 0; x < ours.width(); ++x) {
                    one[0] += std::abs(qRed(o[x]) - qRed(w[x]));
                    one[1] += std::abs(qGreen(o[x]) - qGreen(w[x]));
                    one[2] += std::abs(qBlue(o[x]) - qBlue(w[x]));
                }
            }
            const qint64 n = qint64(ours.width()) * ours.height();
            for (int c = 0; c < 3; ++c) {
                sum[c] += one[c];
                worst = std::max(worst, one[c] / n);
            }
            pixels += n;
        }
        std::printf("  picture %d wide (photos %dx%d each): mean difference R %.3f G %.3f B %.3f, worst photo's channel "
                    "%.3f (of 255)\n",
                    width, int(a.photos.front().bounds.width() * scale), int(a.photos.front().bounds.height() * scale),
                    sum[0] / pixels, sum[1] / pixels, sum[2] / pixels, worst);
        std::printf("    decoding for it %.0f ms a photo; decoding whole %.0f ms (one thread)\n",
                    oursMs / a.photos.size(), wholeMs / a.photos.size());
    }
    return 0;
}

// --- The parent -------------------------------------------------------------

void Report(const char *what, const Run &r)
{
    std::printf("%s: %.2f s, peak %.0f MB%s\n", what, r.seconds, r.peakMb, r.status == 0 ? "" : " (FAILED)");
    Load();
}

// The editor opening state and tamarie-render drawing it, runs times each;
// the figures of each run.
void Measure(const QString &title, const QString &state, const QString &folder, int runs = 1)
{
    std::printf("\n== %s\n", qPrintable(title));
    for (int i = 0; i < runs; ++i)
        Report("editor opening it", RunProcess({Self(), QStringLiteral("--open"), state}));
    const QString render = QFileInfo(Self()).dir().filePath(QStringLiteral("tamarie-render"));
    for (int i = 0; i < runs; ++i)
        Report("tamarie-render to PNG 2000 wide", RunProcess({render, state, folder + QStringLiteral("/out.png")}));
}

int Parent(const QStringList &args)
{
    QTemporaryDir temporary;
    const QString folder = args.isEmpty() ? temporary.path() : args[0];
    QDir().mkpath(folder);
    qputenv("HOME", (folder + QStringLiteral("/home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (folder + QStringLiteral("/home/.config")).toLocal8Bit());

    QStringList cameras;
    for (int i = 0; i < 12; ++i) {
        cameras << folder + QStringLiteral("/camera%1.jpg").arg(i + 1, 2, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(cameras.back()))
            WriteCameraPhoto(cameras.back(), QSize(6000, 4000), unsigned(i + 1));
    }
    const QString png = folder + QStringLiteral("/large.png");
    if (!QFileInfo::exists(png))
        WriteLargePng(png, 11585);
    qint64 jpegBytes = 0;
    for (const QString &c : cameras)
        jpegBytes += QFileInfo(c).size();
    std::printf("twelve 6000x4000 JPEGs, %.1f MB together; an 11585x11585 PNG of %.0f KB\n", jpegBytes / 1e6,
                QFileInfo(png).size() / 1e3);

    auto make = [&](const QString &name, const QStringList &photos) {
        const QString state = folder + QLatin1Char('/') + name;
        if (RunProcess(QStringList{Self(), QStringLiteral("--make"), state} + photos).status != 0)
            std::printf("could not make %s\n", qPrintable(name));
        return state;
    };
    const QString twelve = make(QStringLiteral("twelve.ini"), cameras);
    QStringList hundred, tenPng;
    for (int i = 0; i < 100; ++i)
        hundred << cameras.front();
    for (int i = 0; i < 10; ++i)
        tenPng << png;
    const QString hundredState = make(QStringLiteral("hundred.ini"), hundred);
    const QString pngState = make(QStringLiteral("ten_png.ini"), tenPng);

    QStringList noFiles;
    for (int i = 0; i < 12; ++i)
        noFiles << QString();
    Measure(QStringLiteral("the same twelve frames without pictures"), make(QStringLiteral("frames.ini"), noFiles),
            folder, 3);
    Measure(QStringLiteral("twelve 6000x4000 JPEGs"), twelve, folder, 3);
    std::printf("\n== djpeg decoding the twelve whole to PPM, one after another\n");
    for (int run = 0; run < 3; ++run) {
        Run djpeg;
        for (const QString &c : cameras) {
            const Run one = RunProcess({QStringLiteral("/usr/bin/djpeg"), QStringLiteral("-outfile"),
                                        QStringLiteral("/dev/null"), c});
            djpeg.seconds += one.seconds;
            djpeg.peakMb = std::max(djpeg.peakMb, one.peakMb);
            djpeg.status = std::max(djpeg.status, one.status);
        }
        Report("djpeg, the twelve (peak of one)", djpeg);
    }
    std::printf("\n== outputs' reduced decodes against decoding whole, then averaging\n");
    RunProcess({Self(), QStringLiteral("--fidelity"), twelve});
    Measure(QStringLiteral("one 6000x4000 JPEG in 100 frames of different sizes"), hundredState, folder);
    Measure(QStringLiteral("one 11585x11585 PNG in 10 frames of different sizes"), pngState, folder);

    // A picture that cannot be reduced while it is decoded, too large for memory.
    const QString huge = folder + QStringLiteral("/huge.png");
    if (!QFileInfo::exists(huge))
        WriteLargePng(huge, 30000);
    QElapsedTimer clock;
    clock.start();
    const DecodedPhoto refused = DecodePhoto(huge, {0, QSize(300, 300)});
    std::printf("\n30000x30000 PNG of %.0f KB: \"%s\" after %.1f ms\n", QFileInfo(huge).size() / 1e3,
                qPrintable(refused.error), clock.nsecsElapsed() / 1e6);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on what it cannot do are not figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type >= QtCriticalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QStringLiteral("--make"))
        return MakeWorkState(args.mid(1));
    if (args.value(0) == QStringLiteral("--open"))
        return OpenWorkState(args.value(1));
    if (args.value(0) == QStringLiteral("--fidelity"))
        return Fidelity(args.value(1));
    return Parent(args);
}
