#include "output/picture_printing.h"
#include "output/picture_save.h"
#include "output/print_form.h"
#include "output/print_preview.h"
#include "output_test_support.h"
#include "platform/dialogs.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

#include <gtest/gtest.h>

using namespace tamarie;

namespace {

struct Scripted {
    Scripted() { dialogs::BeginScript(); }
    ~Scripted() { dialogs::EndScript(); }
};

// A PDF page of the given inches without margins at 1200 dots per inch:
// 4 x 6 inches is a printable area of 4800 x 7200 device pixels.
void setUpPdf(QPrinter &printer, const QString &path, QSizeF inches = QSizeF(4, 6))
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(1200);
    printer.setPageSize(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

QImage solid(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(colour);
    return img;
}

bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }

// Bounds of the pixels of an image that pass a test.
template <typename Test> QRect boundsOf(const QImage &image, Test test)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The bounds of the picture's red on a page rasterised with Ghostscript
// (dots per inch: dpi); nullopt without Ghostscript.
std::optional<QRect> redBounds(const QString &pdf, int dpi)
{
    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (gs.isEmpty())
        return std::nullopt;
    const QString ppm = pdf + QStringLiteral(".ppm");
    QProcess p;
    p.start(gs, {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
                 QStringLiteral("-sDEVICE=ppmraw"), QStringLiteral("-r%1").arg(dpi),
                 QStringLiteral("-sOutputFile=") + ppm, pdf});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return std::nullopt;
    return boundsOf(QImage(ppm), isRed);
}

ArrangementRendering plainArrangement(bool landscape)
{
    ArrangementRendering a;
    a.paper = QImage(landscape ? QSize(300, 220) : QSize(220, 300), QImage::Format_RGB32);
    a.paper.fill(qRgb(230, 20, 20));
    a.landscape = landscape;
    return a;
}

} // namespace

TEST(PrintRect, FitsThePrintableAreaKeepingProportionsCentred)
{
    // Across the width when the height fits: 2800 x 4800 / 2000 = 6720 of 7200.
    EXPECT_EQ(PrintRect(QSize(2000, 2800), QSize(4800, 7200)), QRect(0, 240, 4800, 6720));
    EXPECT_EQ(PrintRect(QSize(2800, 2000), QSize(4800, 7200)), QRect(0, 1885, 4800, 3429));  // 3428.57
    // Otherwise across the height: a landscape picture on a landscape A4
    // printable area (277 x 190 mm) and a portrait one on US Letter (8 x 10.5 in).
    EXPECT_EQ(PrintRect(QSize(2800, 2000), QSize(3272, 2244)), QRect(65, 0, 3142, 2244));     // 3141.6
    EXPECT_EQ(PrintRect(QSize(2000, 2800), QSize(960, 1260)), QRect(30, 0, 900, 1260));
    // Halves to even on either side.
    EXPECT_EQ(PrintRect(QSize(4, 1), QSize(2, 10)).height(), 0);  // 0.5 -> 0
    EXPECT_EQ(PrintRect(QSize(2, 3), QSize(1, 10)).height(), 2);  // 1.5 -> 2
    EXPECT_EQ(PrintRect(QSize(2, 5), QSize(1, 10)).height(), 2);  // 2.5 -> 2
    EXPECT_EQ(PrintRect(QSize(5, 2), QSize(10, 1)).width(), 2);   // 2.5 -> 2
    // Products past 32 bits are still right.
    EXPECT_EQ(PrintRect(QSize(2000, 2800), QSize(1000000, 2000000)).height(), 1400000);
    EXPECT_EQ(PrintRect(QSize(2000, 2800), QSize(2000000, 1400000)).width(), 1000000);
    EXPECT_TRUE(PrintRect(QSize(0, 10), QSize(4800, 7200)).isEmpty());
    EXPECT_TRUE(PrintRect(QSize(10, 10), QSize(4800, 0)).isEmpty());
}

TEST(PrintPicture, TheWholePictureLandsOnTallAndWidePages)
{
    TestApp();
    QTemporaryDir dir;
    const struct {
        bool landscape;
        QSizeF inches;
        QRect red;  // at 100 dpi
    } cases[] = {
        {false, {4, 6}, {0, 20, 400, 560}},   // across the width, centred on the height
        {true, {4, 6}, {0, 157, 400, 286}},   // 285.7 high
        {true, {6, 4}, {20, 0, 560, 400}},    // the page is relatively shorter: across its height
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QStringLiteral("%1x%2.pdf").arg(c.inches.width()).arg(c.landscape));
        QPrinter printer(QPrinter::HighResolution);
        setUpPdf(printer, path, c.inches);
        QRect drawn;
        int messages = 0;
        const QImage picture = solid(c.landscape ? 2800 : 2000, c.landscape ? 2000 : 2800, qRgb(255, 0, 0));
        EXPECT_EQ(PrintPicture(printer, picture, &drawn, [&] { ++messages; }), PrintResult::Printed);
        EXPECT_EQ(messages, 1);
        EXPECT_EQ(drawn, PrintRect(picture.size(), QSize(printer.width(), printer.height())));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.read(4), QByteArray("%PDF"));
        if (const auto red = redBounds(path, 100)) {
            EXPECT_NEAR(red->left(), c.red.left(), 1.5);
            EXPECT_NEAR(red->top(), c.red.top(), 1.5);
            EXPECT_NEAR(red->width(), c.red.width(), 1.5);
            EXPECT_NEAR(red->height(), c.red.height(), 1.5);
        }
    }
}

TEST(PrintPicture, UnwritablePdfFailsToBegin)
{
    TestApp();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, dir.filePath("missing/out.pdf"));
    EXPECT_EQ(PrintPicture(printer, solid(20, 28, qRgb(1, 2, 3))), PrintResult::BeginFailed);
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());
}

TEST(PrintForm, WindowAndPrinterList)
{
    TestApp();
    TPrintForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("印刷-タマリエ"));
    EXPECT_EQ(form.size(), QSize(401, 134));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("使用するプリンター:"));
    EXPECT_EQ(form.BtnSetPrinter->text(), QStringLiteral("設定"));
    EXPECT_EQ(form.BtnPrint->text(), QStringLiteral("印刷"));
    EXPECT_TRUE(form.BtnSetPrinter->font().bold());
    EXPECT_TRUE(form.BtnPrint->font().bold());
    EXPECT_FALSE(form.ComboBoxPrinter->isEditable());
    ASSERT_NE(form.Printer(), nullptr);
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty()) {
        ASSERT_EQ(form.ComboBoxPrinter->count(), 1);
        EXPECT_EQ(form.ComboBoxPrinter->itemText(0), TPrintForm::PdfEntryText());
        EXPECT_TRUE(form.PrintsToPdfFile());
        EXPECT_EQ(form.Printer()->outputFormat(), QPrinter::PdfFormat);
    } else {
        EXPECT_EQ(form.ComboBoxPrinter->count(), printers.size());
        EXPECT_FALSE(form.PrintsToPdfFile());
    }
}

TEST(PrintForm, SettingsButtonOpensThePrinterDialog)
{
    TestApp();
    Scripted s;
    TPrintForm form;
    form.BtnSetPrinter->click();
    EXPECT_EQ(dialogs::Shown(), QStringList{QStringLiteral("プリンターの設定")});
}

TEST(PrintForm, PrintToPdfFileDrawsTheFittedPictureAndCloses)
{
    TestApp();
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed; the PDF entry is offered only without one";
    Scripted s;
    QTemporaryDir dir;
    TPrintForm form;
    form.GatherArrangement = [] { return plainArrangement(false); };
    form.show();
    dialogs::AnswerFile(dir.filePath("calendar"));  // ".pdf" is added
    form.BtnPrint->click();
    const QStringList shown = dialogs::Shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], TPrintForm::PdfEntryText());
    EXPECT_EQ(shown[1], QStringLiteral("カレンダーをプリンターポートへ送信しました。"));
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.CalendarBTM.isNull());
    EXPECT_EQ(form.LastPrintRect(), PrintRect(QSize(2000, 2800), QSize(form.Printer()->width(), form.Printer()->height())));
    QFile f(dir.filePath("calendar.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(4), QByteArray("%PDF"));
}

TEST(PrintForm, CancelledPdfFileDialogPrintsNothing)
{
    TestApp();
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    Scripted s;
    TPrintForm form;
    bool gathered = false;
    form.GatherArrangement = [&] {
        gathered = true;
        return plainArrangement(false);
    };
    form.BtnPrint->click();
    EXPECT_FALSE(gathered);
    EXPECT_EQ(dialogs::Shown(), QStringList{TPrintForm::PdfEntryText()});
}

TEST(PrintForm, EmptyPaperIsReportedAndNothingPrinted)
{
    TestApp();
    Scripted s;
    TPrintForm form;
    form.GatherArrangement = [] {
        ArrangementRendering a;
        a.paper = QImage(20, 20, QImage::Format_RGB32);
        return a;
    };
    EXPECT_FALSE(form.CaptureCalendar());
    ASSERT_EQ(dialogs::Shown().size(), 1);
    EXPECT_TRUE(dialogs::Shown()[0].startsWith(QStringLiteral("アサートの失敗")));
    EXPECT_TRUE(form.CalendarBTM.isNull());
    EXPECT_FALSE(form.SaveOrPrintCalendar(1, QString()));
}

TEST(PrintForm, ReopensCentredAfterItWasMovedAside)
{
    TestApp();
    Scripted s;
    TPrintForm form;
    form.move(0, 0);
    QTimer::singleShot(0, &form, [&] { form.reject(); });
    form.PrintCommand();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Centred (within the window frame's few pixels), not left where it was.
    EXPECT_NEAR(form.frameGeometry().center().x(), screen.center().x(), 4);
    EXPECT_NEAR(form.frameGeometry().center().y(), screen.center().y(), 4);
}

TEST(SavePictureCommand, TypedNameWithPngEntrySavesAPng)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    TPrintForm form;
    form.GatherArrangement = [] { return plainArrangement(false); };
    dialogs::AnswerFile(dir.filePath("cal"), 3);
    form.SavePictureCommand(nullptr);
    QImageReader reader(dir.filePath("cal.png"));
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_EQ(reader.size(), QSize(2000, 2800));
    EXPECT_TRUE(form.CalendarBTM.isNull());
    EXPECT_EQ(FilesIn(dir.path()), QStringList{QStringLiteral("cal.png")});
}

TEST(SavePictureCommand, FirstEntrySavesAJpegOfTheLandscapePicture)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    TPrintForm form;
    form.GatherArrangement = [] { return plainArrangement(true); };
    dialogs::AnswerFile(dir.filePath("cal"), 1);
    form.SavePictureCommand(nullptr);
    QImageReader reader(dir.filePath("cal.jpg"));
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(2800, 2000));
}

TEST(SavePictureCommand, CancelReleasesThePictureAndWritesNothing)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    TPrintForm form;
    form.GatherArrangement = [] { return plainArrangement(false); };
    form.SavePictureCommand(nullptr);  // no answer: cancelled
    EXPECT_TRUE(form.CalendarBTM.isNull());
    EXPECT_EQ(dialogs::Shown().size(), 1);  // only the dialog itself
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());
}

TEST(SavePictureCommand, DeclinedOverwriteKeepsTheFileAndDiscardsTheCapture)
{
    TestApp();
    Scripted s;
    QTemporaryDir dir;
    const QString path = dir.filePath("cal.bmp");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    TPrintForm form;
    form.GatherArrangement = [] { return plainArrangement(false); };
    dialogs::AnswerFile(path, 2);
    dialogs::Answer(false);
    form.SavePictureCommand(nullptr);
    EXPECT_TRUE(form.CalendarBTM.isNull());
    EXPECT_EQ(dialogs::Shown().last(), OverwriteQuestion(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
}

TEST(PrintForm, PreviewShowsThePageAsItPrintsAndPrintsFromThere)
{
    TestApp();
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed; the preview is compared with a PDF file";
    Scripted s;
    QTemporaryDir dir;
    TPrintForm form;
    EXPECT_EQ(form.BtnPreview->text(), QStringLiteral("プレビュー"));
    form.GatherArrangement = [] { return plainArrangement(true); };
    form.Printer()->setPageOrientation(QPageLayout::Portrait);
    QImage shown;
    QString text;
    QTimer::singleShot(0, &form, [&] {
        auto *preview = form.findChild<PrintPreviewDialog *>();
        ASSERT_NE(preview, nullptr);
        preview->resize(500, 700);
        QCoreApplication::processEvents();
        // The landscape picture is too wide for a portrait page: turned to
        // landscape here, it is printed that way.
        preview->RadioLandscape->click();
        QCoreApplication::processEvents();
        shown = preview->Preview->grab().toImage();
        text = preview->PageText->text();
        dialogs::AnswerFile(dir.filePath("calendar.pdf"));
        preview->BtnPrint->click();
    });
    form.BtnPreview->click();
    EXPECT_EQ(form.Printer()->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(dialogs::Shown().contains(QStringLiteral("カレンダーをプリンターポートへ送信しました。")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("用紙: A4 (297 × 210 mm) 横"))) << text.toStdString();

    // Where the picture lies on the page, in the preview and on the printed page alike.
    const QRect page = boundsOf(shown, [](QRgb c) { return c == qRgb(255, 255, 255) || isRed(c); });
    const QRect previewRed = boundsOf(shown, isRed);
    ASSERT_FALSE(previewRed.isEmpty());
    const auto printedRed = redBounds(dir.filePath("calendar.pdf"), 50);
    if (!printedRed)
        GTEST_SKIP() << "Ghostscript is not installed";
    const QSizeF paper(297 * 50 / 25.4, 210 * 50 / 25.4);  // A4 at 50 dpi
    const auto near = [](double shownShare, double printedShare) { EXPECT_NEAR(shownShare, printedShare, 0.01); };
    near(double(previewRed.left() - page.left()) / page.width(), printedRed->left() / paper.width());
    near(double(previewRed.top() - page.top()) / page.height(), printedRed->top() / paper.height());
    near(double(previewRed.width()) / page.width(), printedRed->width() / paper.width());
    near(double(previewRed.height()) / page.height(), printedRed->height() / paper.height());
    // Nothing is cut off: the whole picture is on the page, as tall as the printable area allows.
    const QRectF printable = form.Printer()->pageLayout().paintRect(QPageLayout::Millimeter);
    EXPECT_NEAR(printedRed->height(), printable.height() * 50 / 25.4, 1.5);
    EXPECT_NEAR(printedRed->width(), printable.height() * 1.4 * 50 / 25.4, 1.5);
}
