// links: tamarie_main
// Undo and redo of one calendar move among 12 calendars and 12 photos, the
// windows brought in line and repainted (offscreen); and the memory 1,000
// steps of history take (photos are named in it, never held).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QUndoStack>

#include <malloc.h>
#include <memory>

#include "calendar_form.h"
#include "dialogs.h"
#include "document_edits.h"
#include "editor_bench_main.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "tform1.h"

using namespace tamarie;

namespace {

// Bytes the process has allocated and not freed.
double AllocatedBytes() { return double(mallinfo2().uordblks); }

TForm1 &Form()
{
    static QTemporaryDir dir;
    static std::unique_ptr<TForm1> form;
    if (!form) {
        form = std::make_unique<TForm1>();
        form->show();
        QCoreApplication::processEvents();
        form->LECalendarYear->setText(QStringLiteral("2025"));
        form->LECalendarMonth->setText(QStringLiteral("1"));
        form->LECalendarMonths->setText(QStringLiteral("12"));
        form->BtnOKClick();
        QCoreApplication::processEvents();
        // Twelve photos of camera size on the paper.
        QImage picture(3000, 2000, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString path = dir.filePath(QStringLiteral("camera.jpg"));
        picture.save(path, "JPEG", 80);
        Document d = form->Doc();
        while (d.PhotoCount() > 0)
            RemovePhoto(d, 0);
        for (int i = 0; i < 12; ++i) {
            const PaperPlace place = PlaceOf(QRect(20 * i, 25 * i, 300, 200), d.paper.layoutSize);
            AddPhoto(d, {path, place, place, 0});
        }
        form->History->Reset(d, false);
        QCoreApplication::processEvents();
    }
    return *form;
}

void BM_UndoRedoCalendarMove(benchmark::State &state)
{
    TForm1 &f = Form();
    QUndoStack *stack = f.History->Stack();
    Document d = f.Doc();
    PlaceCalendarAt(d, 5, RectOf(d.calendars[4].bounds, d.paper.layoutSize).translated(37, 23));
    f.Edit(QStringLiteral("カレンダーの移動"), d);
    QCoreApplication::processEvents();
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            stack->undo();
        else
            stack->redo();
        // The repaint it causes, done now.
        f.CalForm[5]->repaint();
        QCoreApplication::processEvents();
        undo = !undo;
    }
}
BENCHMARK(BM_UndoRedoCalendarMove)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ThousandStepsOfHistory(benchmark::State &state)
{
    TForm1 &f = Form();
    for (auto _ : state) {
        state.PauseTiming();
        f.History->Reset(f.Doc(), false);
        QCoreApplication::processEvents();
        const double before = AllocatedBytes();
        state.ResumeTiming();
        // Moves, colours and wheel steps over the calendars and photos.
        for (int step = 0; step < 1000; ++step) {
            Document d = f.Doc();
            const int n = 1 + step % 12;
            switch (step % 4) {
            case 0:
                PlaceCalendarAt(d, n, RectOf(d.calendars[n - 1].bounds, d.paper.layoutSize).translated(step % 7 - 3, 2));
                break;
            case 1:
                d.calendars[n - 1].backColor = 0x010101 * (step % 200);
                break;
            case 2:
                PlacePhotoAt(d, n - 1, RectOf(d.photos[n - 1].bounds, d.paper.layoutSize).translated(3, step % 5 - 2));
                break;
            default:
                WheelStepCalendar(d, n, step % 8 < 4 ? WheelDirection::Grow : WheelDirection::Shrink, {});
                break;
            }
            f.Edit(QStringLiteral("step"), d);
        }
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.counters["steps"] = double(f.History->Stack()->count());
        state.counters["history_MB"] = (AllocatedBytes() - before) / (1024.0 * 1024.0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ThousandStepsOfHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv) { return RunEditorBenchmarks(argc, argv); }
