// Output drawn afresh, end to end: the picture lands where the screen-sized
// picture puts everything, the PDF holds the texts as text, and
// tamarie-render draws a file the editor saved as the editor itself does.
#include <QFileInfo>
#include <QFrame>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

#include "editor_fixture.h"
#include "support/element_placement.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "print_form.h"
#include "radio_group.h"

namespace tamarie::testing {
namespace {

// Placement of the calendar's elements (lower half) of `other` against `reference`.
struct Placement {
    double meanX = 0, meanY = 0;  // the common shift
    double median = 0, worst = 0; // lengths of the shifts
    int elements = 0;
};
Placement PlacementOf(const QImage &reference, const QImage &other)
{
    const QRect lower(0, other.height() / 2, other.width(), other.height() / 2);
    const std::vector<ElementOffset> found = ElementOffsets(reference, other, lower);
    Placement p;
    std::vector<double> lengths;
    for (const ElementOffset &e : found) {
        p.meanX += e.shift.x() / double(found.size());
        p.meanY += e.shift.y() / double(found.size());
        lengths.push_back(std::hypot(e.shift.x(), e.shift.y()));
    }
    std::sort(lengths.begin(), lengths.end());
    p.elements = int(lengths.size());
    if (!lengths.empty())
        p.median = lengths[lengths.size() / 2], p.worst = lengths.back();
    return p;
}

QString RunProgram(const QString &program, const QStringList &args, int *code)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

class FreshOutput : public EditorTest {
protected:
    QTemporaryDir out;
};

TEST_F(FreshOutput, PicturePdfAndRenderCommandAgreeWithTheScreenSizedPicture)
{
    ASSERT_TRUE(out.isValid());
    TForm1 &f = MakeShowingMonths(2025, 4, 1);
    // A light photo over the whole paper, from a file, so the ink is the calendar's.
    QImage light(64, 48, QImage::Format_RGB32);
    light.fill(qRgb(235, 230, 200));
    const QString photo = out.filePath(QStringLiteral("light.png"));
    ASSERT_TRUE(light.save(photo));
    ChangeDocument(f, [&](Document &d) { d.photos[0].fileName = photo; });
    f.Image1->setGeometry(f.Panel1->rect());
    QCoreApplication::processEvents();

    f.RadioGroupOutput->SetItemIndex(1);  // "画面どおり"
    dialogs::AnswerFile(out.filePath(QStringLiteral("screen.png")), 3);
    f.MenuSaveAsPictureClick();
    f.RadioGroupOutput->SetItemIndex(0);  // "高精細"
    dialogs::AnswerFile(out.filePath(QStringLiteral("fresh.png")), 3);
    f.MenuSaveAsPictureClick();
    const QImage screen(out.filePath(QStringLiteral("screen.png")));
    const QImage fresh(out.filePath(QStringLiteral("fresh.png")));
    ASSERT_EQ(screen.size(), QSize(2000, 2800));
    ASSERT_EQ(fresh.size(), QSize(2000, 2800));
    if (qEnvironmentVariableIsSet("TAMARIE_KEEP_OUTPUT"))
        out.setAutoRemove(false), qWarning("kept in %s", qPrintable(out.path()));
    // Every day number, label and title where the screen-sized picture has it.
    // Glyphs at screen size are fitted to whole screen pixels, which the
    // sharp drawing does not copy: half a screen pixel is about 2.3 here.
    const Placement screenPlaced = PlacementOf(screen, fresh);
    EXPECT_GE(screenPlaced.elements, 60);
    EXPECT_LE(std::abs(screenPlaced.meanX), 0.5);
    EXPECT_LE(std::abs(screenPlaced.meanY), 0.5);
    EXPECT_LE(screenPlaced.median, 1.0);
    EXPECT_LE(screenPlaced.worst, 2.5);

    // The PDF: texts as text, the photo the only picture.
    const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
    dialogs::AnswerFile(pdf, 1);
    f.MenuSaveAsPdfClick();
    int code = 0;
    const QString text = RunProgram(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("大安"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2025年4月"))) << text.toStdString();
    const QString images = RunProgram(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}, &code);
    EXPECT_EQ(images.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2 + 1) << images.toStdString();

#ifdef TAMARIE_RENDER_PATH
    const QString ini = out.filePath(QStringLiteral("plan.ini"));
    ASSERT_TRUE(f.SaveWorkState(ini));
    const QString rendered = out.filePath(QStringLiteral("render.png"));
    RunProgram(QStringLiteral(TAMARIE_RENDER_PATH), {ini, rendered}, &code);
    EXPECT_EQ(code, 0);
    const QImage r(rendered);
    ASSERT_EQ(r.size(), fresh.size());
    // The same drawing of the same arrangement: nothing may have moved, though
    // the file keeps calendar windows in screen pixels and this program has
    // no window frames.
    const Placement renderPlaced = PlacementOf(fresh, r);
    EXPECT_GE(renderPlaced.elements, 60);
    EXPECT_LE(renderPlaced.worst, 0.25);
    // Without a width, a landscape file gives the editor's landscape picture.
    f.RadioGroupHoko->SetItemIndex(1);  // "横"
    f.RadioGroupHokoClick();
    ASSERT_TRUE(f.SaveWorkState(ini));
    RunProgram(QStringLiteral(TAMARIE_RENDER_PATH), {ini, rendered}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(QImage(rendered).size(), QSize(2800, 2000));
    // Bad arguments, and a file that cannot be read.
    RunProgram(QStringLiteral(TAMARIE_RENDER_PATH), {ini, out.filePath(QStringLiteral("x.gif"))}, &code);
    EXPECT_EQ(code, 2);
    const QString err = RunProgram(QStringLiteral(TAMARIE_RENDER_PATH), {out.filePath(QStringLiteral("none.ini")), rendered}, &code);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.contains(QStringLiteral("作業状態ファイルを読み込めません。")));
#endif
}

} // namespace
} // namespace tamarie::testing
