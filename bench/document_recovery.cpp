// links: tamarie_document
// The recovery copy of a document of 12 calendars and 12 photos: what the
// interface thread does (the work as the file's values) and what the worker
// does (the work-state file and its 13 font files, flushed to disk), after a
// move (the font files linked to the last copy's) and after a font change.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "document_file.h"
#include "editor_bench_main.h"
#include "recovery_copy.h"

namespace {

using namespace tamarie;

const ScreenPlacement kScreen{true, QRect(0, 0, 1920, 1080), QRect(5, 5, 700, 980), QPoint(10, 60)};

Document TwelveAndTwelve()
{
    WorkState w;
    w.paper = kScreen.paper;
    w.month = DateToValue(QDate(2027, 1, 1));
    w.months = 12;
    for (int n = 1; n <= 12; ++n) {
        WorkStateCalendar c;
        c.window = QRect(60 + 40 * n, 200 + 30 * n, 180, 150);
        c.font = {FontRecordStatus::Ok, {QStringLiteral("Noto Sans CJK JP"), 128, 11, 0, 0}};
        w.calendars.push_back(c);
        w.photos.push_back({QRect(20 * n, 25 * n, 320, 240), QStringLiteral("/home/user/写真/IMG_%1.jpg").arg(n)});
    }
    w.commonFont = {FontRecordStatus::Ok, {QStringLiteral("Noto Sans CJK JP"), 128, 11, 0, 0}};
    return DocumentOf(w, kScreen, Document{}, true);
}

RecoveryContent Capture(const Document &d)
{
    return {WorkStateOf(d, kScreen), QStringLiteral("/home/user/カレンダー.ini")};
}

void BM_RecoveryCaptureOnInterfaceThread(benchmark::State &state)
{
    Document d = TwelveAndTwelve();
    for (auto _ : state) {
        d.calendars[2].bounds.left += 0.001;
        RecoveryContent content = Capture(d);
        if (content.state.calendars.size() != 12 || content.state.photos.size() != 12)
            state.SkipWithError("not the whole document");
        benchmark::DoNotOptimize(content);
    }
}
BENCHMARK(BM_RecoveryCaptureOnInterfaceThread)->Unit(benchmark::kMicrosecond)->UseRealTime();

// restyle: every write changes the calendars' fonts, so all 13 font files are written.
void WriteCopies(benchmark::State &state, bool restyle)
{
    QTemporaryDir dir;
    auto copy = RecoveryCopy::Create(dir.path());
    Document d = TwelveAndTwelve();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.calendars[2].bounds.left += 0.001;
        if (restyle)
            for (DocumentCalendar &c : d.calendars)
                c.gridPoints = 10 + ++step % 5;
        const RecoveryContent content = Capture(d);
        state.ResumeTiming();
        if (!copy->Write(content))
            state.SkipWithError("write failed");
    }
}

void BM_RecoveryWriteAfterMove(benchmark::State &state) { WriteCopies(state, false); }
BENCHMARK(BM_RecoveryWriteAfterMove)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_RecoveryWriteAfterFontChange(benchmark::State &state) { WriteCopies(state, true); }
BENCHMARK(BM_RecoveryWriteAfterFontChange)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return RunEditorBenchmarks(argc, argv); }
