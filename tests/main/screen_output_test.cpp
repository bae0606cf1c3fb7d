// The 画面どおり output: what the paper shows, composed as the capture
// composes it and resampled bilinearly as described, byte for byte.
#include <QTemporaryDir>
#include <cstring>

#include "arrangement_capture.h"
#include "editor_fixture.h"
#include "labeled_edit.h"
#include "output/resample_reference.h"
#include "photo_image.h"
#include "radio_group.h"

namespace tamarie::testing {
namespace {

using ScreenOutput = EditorTest;

TEST_F(ScreenOutput, SavedPictureIsTheComposedCaptureResampledBilinearly)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    TForm1 &f = MakeShowingMonths(2025, 4, 2);
    QCoreApplication::processEvents();

    f.RadioGroupOutput->SetItemIndex(1);  // "画面どおり"
    const QString path = out.filePath(QStringLiteral("screen.png"));
    dialogs::AnswerFile(path, 3);
    f.MenuSaveAsPictureClick();
    const QImage saved = QImage(path).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(saved.size(), QSize(2000, 2800));

    const ArrangementRendering shown = f.GatherArrangement();
    const QImage composed = ComposeArrangement(shown.paper, shown.pairs);
    ASSERT_FALSE(composed.isNull());
    const QImage expected = reference::Resample(composed, 2000, 2800);
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        differing += std::memcmp(saved.constScanLine(y), expected.constScanLine(y), 3 * 2000) != 0;
    EXPECT_EQ(differing, 0) << "rows differ";
}

} // namespace
} // namespace tamarie::testing
