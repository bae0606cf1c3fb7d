// links: tamarie_main
// Drawing a full arrangement afresh at 2000 x 2800 with the arrangement
// painter: twelve calendars of the editor (OK with 12 months) and three
// photos, one of them a 4000 x 3000 JPEG, the others of screen and
// camera-preview size.  Each drawing decodes its photos for the pixels they
// cover, as every output does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>
#include <random>

#include "arrangement_render.h"
#include "camera_photo.h"
#include "editor_bench_main.h"
#include "fonts.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "tform1.h"

using namespace tamarie;

namespace {

QString WritePhoto(const QTemporaryDir &dir, const char *name, QSize size, unsigned seed)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    WriteCameraPhoto(path, size, seed);
    return path;
}

struct Scene {
    std::unique_ptr<TForm1> form;
    Arrangement arrangement;
    CalendarPaintData data;
};

Scene &TwelveCalendarsThreePhotos()
{
    static Scene scene = [] {
        static QTemporaryDir dir;
        Scene s;
        s.form = std::make_unique<TForm1>();
        TForm1 &f = *s.form;
        f.show();
        QCoreApplication::processEvents();
        f.LECalendarYear->setText(QStringLiteral("2025"));
        f.LECalendarMonth->setText(QStringLiteral("1"));
        f.LECalendarMonths->setText(QStringLiteral("12"));
        f.BtnOKClick();
        QCoreApplication::processEvents();
        // The sample photo stays; two more dropped on the paper.
        const QString big = WritePhoto(dir, "camera.jpg", QSize(4000, 3000), 1);
        const QString small = WritePhoto(dir, "preview.jpg", QSize(1024, 768), 2);
        f.DropPhotos({big, small}, QPoint(100, 100));
        const QSize paper = f.Panel1->size();
        f.ImgPicture[f.ImgCount() - 2]->setGeometry(0, 0, paper.width(), paper.height() * 2 / 3);
        f.ImgPicture[f.ImgCount() - 1]->setGeometry(paper.width() / 2, paper.height() / 3, paper.width() / 2,
                                                  paper.height() / 3);
        QCoreApplication::processEvents();
        s.arrangement = f.CaptureArrangement();
        s.data = f.PaintData();
        return s;
    }();
    return scene;
}

void BM_RenderTwelveCalendarsThreePhotos(benchmark::State &state)
{
    Scene &s = TwelveCalendarsThreePhotos();
    int photos4000 = 0;
    for (const PhotoLayer &p : s.arrangement.photos)
        photos4000 += p.fileName.endsWith(QStringLiteral("camera.jpg"));
    state.counters["calendars"] = double(s.arrangement.calendars.size());
    state.counters["photos"] = double(s.arrangement.photos.size());
    state.counters["photos_4000x3000"] = photos4000;
    for (auto _ : state) {
        const QImage picture = RenderArrangementPicture(s.arrangement, s.data, QSize(2000, 2800));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_RenderTwelveCalendarsThreePhotos)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The same calendars without the photos: what the text and marks cost.
void BM_RenderTwelveCalendarsOnly(benchmark::State &state)
{
    Arrangement a = TwelveCalendarsThreePhotos().arrangement;
    a.photos.clear();
    const CalendarPaintData &data = TwelveCalendarsThreePhotos().data;
    for (auto _ : state) {
        const QImage picture = RenderArrangementPicture(a, data, QSize(2000, 2800));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_RenderTwelveCalendarsOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char **argv) { return RunEditorBenchmarks(argc, argv); }
