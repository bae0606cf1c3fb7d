// links: tamarie_main
// One wheel notch on a calendar (step, layout, repaint) and on the selected
// photo (step, repaint of a camera-sized picture stretched to its bounds),
// offscreen.  Alternating grow and shrink keeps the sizes stable.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>

#include "calendar_form.h"
#include "dialogs.h"
#include "input_state.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "tform1.h"
#include "title_panel.h"

#include <QPushButton>
#include <memory>

using namespace tamarie;

namespace {

TForm1 &Form()
{
    static std::unique_ptr<TForm1> form;
    if (!form) {
        dialogs::BeginScript();
        form = std::make_unique<TForm1>();
        form->show();
        QCoreApplication::processEvents();
        form->LECalendarYear->setText(QStringLiteral("2025"));
        form->LECalendarMonth->setText(QStringLiteral("4"));
        form->LECalendarMonths->setText(QStringLiteral("3"));
        form->BtnOK->click();
        QCoreApplication::processEvents();
        input::BeginScript();
    }
    return *form;
}

void BM_WheelNotchOnCalendar(benchmark::State &state)
{
    TForm1 &f = Form();
    TplCalendarForm *cal = f.CalForm[2];
    cal->resize(300, 260);
    input::SetFocusWidget(cal->Panel);
    input::SetCursorPos(cal->Panel->mapToGlobal(QPoint(4, 4)));
    int distance = -120;
    for (auto _ : state) {
        f.MouseWheelStep(distance);
        cal->repaint();
        QCoreApplication::processEvents();
        distance = -distance;
    }
}
BENCHMARK(BM_WheelNotchOnCalendar)->Unit(benchmark::kMillisecond);

void BM_WheelNotchOnPhoto(benchmark::State &state)
{
    TForm1 &f = Form();
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("camera.jpg"));
    QImage picture(4000, 3000, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(path, "JPEG", 90);
    tamarie::Document d = f.Doc();
    d.photos[0].fileName = path;
    d.selectedPhoto = 0;
    f.History->Adjust(d);
    f.Image1->setGeometry(6, 6, 400, 300);
    WaitForScreenCopies();
    input::SetFocusWidget(f.PageControl1);
    input::SetCursorPos(f.Image1->mapToGlobal(QPoint(4, 4)));
    int distance = -120;
    for (auto _ : state) {
        f.MouseWheelStep(distance);
        f.Image1->repaint();
        QCoreApplication::processEvents();
        distance = -distance;
    }
}
BENCHMARK(BM_WheelNotchOnPhoto)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;  // the editor's data folder goes here, not into the real documents
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
