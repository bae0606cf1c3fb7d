// links: tamarie_calendar
// The shape of a calendar window is recomputed from its painted colour key
// after every repaint; this measures that step and the capture rendering for
// a design-size window and a large one.
#include "calendar/calendar_form.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace tamarie;

namespace {

void Prepare(TplCalendarForm &form, int w, int h)
{
    form.resize(w, h);
    form.Panel->setGeometry(0, 0, w, h / 7);
    form.Calendar->setGeometry(0, h / 7, w - w % 7, (h - h / 7) - (h - h / 7) % 7);
    form.SetColor(clSkyBlue);
    form.SetTransparentColorValue(clSkyBlue);
    form.Calendar->SetColor(clSkyBlue);
    QFont f = form.Calendar->font();
    f.setPointSize(std::max(1, w * 4 / 100));
    form.Calendar->setFont(f);
}

void BM_KeyMask(benchmark::State &state)
{
    TplCalendarForm form;
    Prepare(form, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        form.SetTransparentColor(false); // force a fresh shape each round
        form.UpdateKeyMask();
        form.SetTransparentColor(true);
        form.UpdateKeyMask();
        benchmark::DoNotOptimize(form.KeyMask().rectCount());
    }
}
BENCHMARK(BM_KeyMask)->Args({219, 202})->Args({600, 560})->Unit(benchmark::kMillisecond);

void BM_RenderImage(benchmark::State &state)
{
    TplCalendarForm form;
    Prepare(form, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const QImage img = form.RenderImage();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_RenderImage)->Args({219, 202})->Args({600, 560})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
