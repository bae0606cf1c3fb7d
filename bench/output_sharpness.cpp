// links: tamarie_main
// How sharp a saved 2000 x 2800 picture of the default arrangement is, drawn
// afresh and through the screen-sized capture and resampling, beside text
// drawn directly at that size: the median 10 % to 90 % rise of the edges of
// dark strokes along the rows of the calendar area (see edge_rise.h).  The
// figures are the counters; the time is that of one measurement.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "arrangement_render.h"
#include "dialogs.h"
#include "edge_rise.h"
#include "../tests/support/element_placement.h"
#include "fonts.h"
#include "print_form.h"
#include "radio_group.h"
#include "tform1.h"

using namespace tamarie;

namespace {

struct Pictures {
    QImage fresh, capture, direct;
    QRect calendar;  // the calendar area in the pictures
    QSize paper;     // the paper on the screen
};

// The calendar's day-cell area in picture pixels, a little inside its edge.
QRect CalendarArea(const Arrangement &a, const QSize &picture)
{
    const CalendarLayer &c = a.calendars.front();
    const QRectF source = PictureSourceRect(a);
    const QRectF grid = QRectF(c.gridRect.translated(c.bounds.topLeft()));
    const double sx = picture.width() / source.width(), sy = picture.height() / source.height();
    const QRectF out((grid.left() - source.left()) * sx, (grid.top() - source.top()) * sy, grid.width() * sx,
                     grid.height() * sy);
    return out.toAlignedRect().adjusted(4, 4, -4, -4);
}

// Day numbers and rokuyo labels drawn straight onto a 2000-pixel-wide
// picture, cells as large as the saved picture's.
QImage DirectText(const Arrangement &a, const QRect &area)
{
    const CalendarLayer &c = a.calendars.front();
    QImage img(2000, area.height() + 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double cellW = area.width() / 7.0, cellH = area.height() / 7.0;
    QFont day = c.gridFont;
    day.setPixelSize(int(cellH * 0.45));
    QFont label = c.gridFont;
    label.setPixelSize(int(cellH * 0.18));
    static const char *const rokuyo[] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
    p.setPen(Qt::black);
    for (int d = 1; d <= 31; ++d) {
        const int col = (d + 2) % 7, row = (d + 2) / 7 + 1;
        const QRectF cell(area.left() + col * cellW, 20 + row * cellH, cellW, cellH);
        p.setFont(day);
        p.drawText(cell.adjusted(0, 0, 0, -cellH * 0.3), Qt::AlignCenter, QString::number(d));
        p.setFont(label);
        p.drawText(cell.adjusted(0, cellH * 0.65, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromUtf8(rokuyo[d % 6]));
    }
    p.end();
    return img;
}

const Pictures &SavedPictures()
{
    static const Pictures pictures = [] {
        static QTemporaryDir dir;
        Pictures out;
        TForm1 f;
        f.CreateOutputWindows();
        f.show();
        QCoreApplication::processEvents();
        const QString fresh = dir.filePath(QStringLiteral("fresh.png"));
        const QString capture = dir.filePath(QStringLiteral("capture.png"));
        f.RadioGroupOutput->SetItemIndex(0);  // 高精細
        dialogs::AnswerFile(fresh, 3);
        f.MenuSaveAsPictureClick();
        f.RadioGroupOutput->SetItemIndex(1);  // 画面どおり
        dialogs::AnswerFile(capture, 3);
        f.MenuSaveAsPictureClick();
        out.fresh = QImage(fresh);
        out.capture = QImage(capture);
        const Arrangement a = f.CaptureArrangement();
        out.paper = a.paperSize;
        out.calendar = CalendarArea(a, out.fresh.size());
        out.direct = DirectText(a, QRect(out.calendar.left(), 20, out.calendar.width(), out.calendar.height()));
        return out;
    }();
    return pictures;
}

void BM_SharpnessOfSavedPictures(benchmark::State &state)
{
    const Pictures &p = SavedPictures();
    if (p.fresh.size() != QSize(2000, 2800) || p.capture.size() != QSize(2000, 2800)) {
        state.SkipWithError("the pictures were not saved");
        return;
    }
    bench::EdgeRise fresh, capture, direct;
    for (auto _ : state) {
        fresh = bench::MeasureEdgeRise(p.fresh, p.calendar);
        capture = bench::MeasureEdgeRise(p.capture, p.calendar);
        direct = bench::MeasureEdgeRise(p.direct, p.direct.rect());
    }
    state.counters["fresh_px"] = fresh.median;
    state.counters["capture_px"] = capture.median;
    state.counters["direct_px"] = direct.median;
    state.counters["fresh_edges"] = fresh.edges;
    state.counters["capture_edges"] = capture.edges;
    std::printf("paper %d x %d on the screen; median 10-90 %% edge rise: fresh %.2f px (%d edges), capture and resample %.2f px (%d edges), "
                "text drawn at 2000 px %.2f px (%d edges)\n",
                p.paper.width(), p.paper.height(), fresh.median, fresh.edges, capture.median, capture.edges, direct.median, direct.edges);
}
BENCHMARK(BM_SharpnessOfSavedPictures)->Unit(benchmark::kMillisecond)->Iterations(3);

// Where the fresh picture puts the calendar's elements against the capture.
void BM_PlacementAgainstCapture(benchmark::State &state)
{
    const Pictures &p = SavedPictures();
    if (p.fresh.size() != p.capture.size() || p.fresh.isNull()) {
        state.SkipWithError("the pictures were not saved");
        return;
    }
    std::vector<tamarie::testing::ElementOffset> found;
    for (auto _ : state)
        found = tamarie::testing::ElementOffsets(p.capture, p.fresh, p.calendar.adjusted(-40, -40, 40, 40));
    std::vector<double> lengths;
    double mx = 0, my = 0;
    for (const auto &e : found) {
        lengths.push_back(std::hypot(e.shift.x(), e.shift.y()));
        mx += e.shift.x() / double(found.size()), my += e.shift.y() / double(found.size());
    }
    std::sort(lengths.begin(), lengths.end());
    if (lengths.empty()) {
        state.SkipWithError("no elements");
        return;
    }
    const double median = lengths[lengths.size() / 2], p90 = lengths[lengths.size() * 9 / 10];
    state.counters["mean_dx"] = mx, state.counters["mean_dy"] = my;
    state.counters["median_px"] = median, state.counters["p90_px"] = p90, state.counters["worst_px"] = lengths.back();
    std::printf("%zu elements of the fresh picture against the capture: common shift (%.2f, %.2f) px, shift median %.2f, "
                "90th percentile %.2f, worst %.2f px\n",
                lengths.size(), mx, my, median, p90, lengths.back());
}
BENCHMARK(BM_PlacementAgainstCapture)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    // A full-HD desktop, as the screen-sized picture is usually taken on.
    QTemporaryDir home;
    const QString screen = home.filePath(QStringLiteral("screen.json"));
    QFile json(screen);
    if (json.open(QIODevice::WriteOnly))
        json.write(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": 1920, "height": 1080,
                       "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    json.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    QApplication app(argc, argv);
    fonts::InstallSubstitutions();
    dialogs::BeginScript();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
