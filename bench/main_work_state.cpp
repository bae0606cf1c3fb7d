// links: tamarie_main
// Saving and opening a work-state file of 12 calendars and 10 photos.  The
// photos carry no file names, so no picture is decoded: what is measured is
// the INI file, the 13 font files and applying them to the windows.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "dialogs.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "tform1.h"

namespace {

using tamarie::TForm1;

struct Arrangement {
    QTemporaryDir home;
    std::unique_ptr<TForm1> form;
    QString path;

    Arrangement()
    {
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
        tamarie::dialogs::BeginScript();
        form = std::make_unique<TForm1>();
        form->show();
        QCoreApplication::processEvents();
        form->LECalendarYear->setText("2025");
        form->LECalendarMonth->setText("1");
        form->LECalendarMonths->setText("12");
        tamarie::dialogs::Answer(false);
        form->BtnOKClick();
        while (form->ImgCount() < 10)
            form->BtnAddPictureClickFrom(nullptr);
        tamarie::Document d = form->Doc();
        for (int i = 0; i < d.PhotoCount(); ++i)
            d.photos[i].fileName.clear();
        form->History->Adjust(d);
        for (int i = 0; i < form->ImgCount(); ++i)
            form->ImgPicture[i]->setGeometry(10 * i, 12 * i, 200, 150);
        QCoreApplication::processEvents();
        path = home.filePath("plan.ini");
    }
};

Arrangement &Shared()
{
    static Arrangement a;
    return a;
}

void BM_SaveWorkState(benchmark::State &state)
{
    Arrangement &a = Shared();
    for (auto _ : state) {
        const bool ok = a.form->SaveWorkState(a.path);
        if (!ok)
            state.SkipWithError("save failed");
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_SaveWorkState)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenWorkState(benchmark::State &state)
{
    Arrangement &a = Shared();
    if (!a.form->SaveWorkState(a.path)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        a.form->IsLoadingFile = true;
        const bool ok = a.form->LoadWorkState(a.path);
        a.form->IsLoadingFile = false;
        if (!ok || a.form->CalendarCount() != 12 || a.form->ImgCount() != 10)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_OpenWorkState)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Shared().form.reset();
    return 0;
}
