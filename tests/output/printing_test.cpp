#include "output/picture_printing.h"
#include "output/picture_save.h"
#include "output/print_form.h"
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
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tamarie;

namespace {

struct Scripted {
    Scripted() { dialogs::BeginScript(); }
    ~Scripted() { dialogs::EndScript(); }
};

// A PDF page 4 inches wide without margins at 1200 dots per inch: a
// printable width of 4800 device pixels.
void setUpPdf(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(1200);
    printer.setPageSize(QPageSize(QSizeF(4, 6), QPageSize::Inch, QString(), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

QImage solid(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(colour);
    return img;
}

// Rows of the rasterised first page that hold the picture's red, found with
// Ghostscript when it is installed (dots per inch: dpi).
int redRows(const QString &pdf, int dpi)
{
    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (gs.isEmpty())
        return -1;
    const QString ppm = pdf + QStringLiteral(".ppm");
    QProcess p;
    p.start(gs, {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
                 QStringLiteral("-sDEVICE=ppmraw"), QStringLiteral("-r%1").arg(dpi),
                 QStringLiteral("-sOutputFile=") + ppm, pdf});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return -1;
    const QImage page(ppm);
    int rows = 0;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb c = page.pixel(page.width() / 2, y);
        if (qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60)
            ++rows;
    }
    return rows;
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

TEST(PrintRect, FillsThePrintableWidthKeepingProportions)
{
    EXPECT_EQ(PrintRect(QSize(2000, 2800), 4800), QRect(0, 0, 4800, 6720));
    EXPECT_EQ(PrintRect(QSize(2800, 2000), 4800), QRect(0, 0, 4800, 3429));  // 3428.57
    EXPECT_EQ(PrintRect(QSize(4, 1), 2).height(), 0);                         // 0.5 -> 0
    EXPECT_EQ(PrintRect(QSize(2, 3), 1).height(), 2);                         // 1.5 -> 2
    EXPECT_EQ(PrintRect(QSize(2, 5), 1).height(), 2);                         // 2.5 -> 2
    // A product past 32 bits is still right.
    EXPECT_EQ(PrintRect(QSize(2000, 2800), 1000000).height(), 1400000);
    EXPECT_TRUE(PrintRect(QSize(0, 10), 4800).isEmpty());
}

TEST(PrintPicture, PortraitAndLandscapeOnAPdfPage)
{
    TestApp();
    QTemporaryDir dir;
    for (bool landscape : {false, true}) {
        const QString path = dir.filePath(landscape ? "landscape.pdf" : "portrait.pdf");
        QPrinter printer(QPrinter::HighResolution);
        setUpPdf(printer, path);
        ASSERT_EQ(printer.width(), 4800);
        QRect drawn;
        int messages = 0;
        const QImage picture = solid(landscape ? 2800 : 2000, landscape ? 2000 : 2800, qRgb(255, 0, 0));
        EXPECT_EQ(PrintPicture(printer, picture, &drawn, [&] { ++messages; }), PrintResult::Printed);
        EXPECT_EQ(messages, 1);
        EXPECT_EQ(drawn, QRect(0, 0, 4800, landscape ? 3429 : 6720));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.read(4), QByteArray("%PDF"));
        // At 100 dpi the page is 400 pixels wide and the picture 560 (or 285.75) high.
        const int rows = redRows(path, 100);
        if (rows >= 0) {
            EXPECT_NEAR(rows, landscape ? 286 : 560, 1.5);
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

TEST(PrintForm, PrintToPdfFileDrawsAcrossTheWidthAndCloses)
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
    EXPECT_EQ(form.LastPrintRect(), PrintRect(QSize(2000, 2800), form.Printer()->width()));
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
