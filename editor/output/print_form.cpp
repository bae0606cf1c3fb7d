#include "print_form.h"

#include "busy_cursor.h"
#include "platform/data_folder.h"
#include "platform/dialog_start.h"
#include "platform/dialogs.h"
#include "pdf_output.h"
#include "picture_printing.h"
#include "picture_save.h"
#include "print_preview.h"
#include "print_resolution.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include <optional>

namespace tamarie {

namespace {
constexpr int kPdfEntry = -1;  // item data of the PDF file entry

// After an output is written: the photos too small for print, if any.
void TellLowResolution(const std::function<Arrangement()> &capture, QWidget *owner)
{
    const QString notice = capture ? LowResolutionNotice(capture()) : QString();
    if (!notice.isEmpty())
        dialogs::ShowMessage(notice, owner);
}
} // namespace

QString TPrintForm::PdfEntryText() { return QStringLiteral("PDFファイルに印刷"); }

TPrintForm::TPrintForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("印刷-タマリエ"));
    setFixedSize(401, 134);

    Label1 = new QLabel(QStringLiteral("使用するプリンター:"), this);
    Label1->setGeometry(16, 14, 200, 20);
    ComboBoxPrinter = new QComboBox(this);
    ComboBoxPrinter->setEditable(false);
    ComboBoxPrinter->setGeometry(16, 38, 369, 26);
    QFont bold = font();
    bold.setBold(true);
    BtnSetPrinter = new QPushButton(QStringLiteral("設定"), this);
    BtnSetPrinter->setFont(bold);
    BtnSetPrinter->setGeometry(200, 86, 89, 32);
    BtnPrint = new QPushButton(QStringLiteral("印刷"), this);
    BtnPrint->setFont(bold);
    BtnPrint->setGeometry(296, 86, 89, 32);
    BtnPrint->setDefault(true);
    BtnPreview = new QPushButton(QStringLiteral("プレビュー"), this);
    BtnPreview->setFont(bold);
    BtnPreview->setGeometry(104, 86, 89, 32);
    setTabOrder(BtnPreview, BtnSetPrinter);
    setTabOrder(BtnSetPrinter, BtnPrint);

    connect(ComboBoxPrinter, &QComboBox::currentIndexChanged, this, [this] { ComboBoxPrinterChange(); });
    connect(BtnSetPrinter, &QPushButton::clicked, this, [this] { BtnSetPrinterClick(); });
    connect(BtnPrint, &QPushButton::clicked, this, [this] { BtnPrintClick(); });
    connect(BtnPreview, &QPushButton::clicked, this, [this] { BtnPreviewClick(); });

    FormCreate();
    centreOnScreen();
}

TPrintForm::~TPrintForm() = default;

void TPrintForm::FormCreate()
{
    const QSignalBlocker block(ComboBoxPrinter);
    ComboBoxPrinter->clear();
    const QStringList names = QPrinterInfo::availablePrinterNames();
    for (int i = 0; i < names.size(); ++i)
        ComboBoxPrinter->addItem(names[i], i);
    if (names.isEmpty()) {
        // Without a printer the picture can still be printed elsewhere.
        ComboBoxPrinter->addItem(PdfEntryText(), kPdfEntry);
        ComboBoxPrinter->setCurrentIndex(0);
    } else {
        const int current = int(names.indexOf(QPrinterInfo::defaultPrinterName()));
        ComboBoxPrinter->setCurrentIndex(current >= 0 ? current : 0);
    }
    ComboBoxPrinterChange();
}

bool TPrintForm::PrintsToPdfFile() const { return ComboBoxPrinter->currentData().toInt() == kPdfEntry; }

void TPrintForm::ComboBoxPrinterChange()
{
    // A fresh printer object loads the printer's default settings afresh.
    if (PrintsToPdfFile()) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(ComboBoxPrinter->currentText()),
                                              QPrinter::HighResolution);
    }
}

void TPrintForm::BtnSetPrinterClick()
{
    if (dialogs::Scripted()) {
        dialogs::Record(QStringLiteral("プリンターの設定"));
        return;
    }
    if (PrintsToPdfFile()) {
        QPageSetupDialog dialog(printer_.get(), this);
        dialog.exec();
        return;
    }
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("プリンターの設定"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The dialog may have switched printers: keep the list showing the one in use.
    const int index = ComboBoxPrinter->findText(printer_->printerName());
    if (index >= 0) {
        const QSignalBlocker block(ComboBoxPrinter);
        ComboBoxPrinter->setCurrentIndex(index);
    }
}

bool TPrintForm::askPdfFile()
{
    const dialogs::FileAnswer answer = dialogs::SaveFile(PdfEntryText(), QStringLiteral("PDFファイル (*.pdf)"), 1,
                                                         QStringLiteral("pdf"), QStringLiteral("calendar.pdf"), this);
    if (answer.path.isEmpty())
        return false;
    QString path = answer.path;
    if (FileExtension(path).isEmpty())
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) && !dialogs::Confirm(OverwriteQuestion(path), this))
        return false;
    printer_->setOutputFileName(path);
    return true;
}

void TPrintForm::BtnPrintClick()
{
    if (PrintsToPdfFile() && !askPdfFile())
        return;
    if (PaperBottomRight)
        move(PaperBottomRight().x() + 50, y());
    if (freshOutput()) {
        if (printAfresh()) {
            TellLowResolution(CaptureArrangement, this);
            accept();
        }
        return;
    }
    if (!CaptureCalendar())
        return;
    if (SaveOrPrintCalendar(1, QString())) {
        TellLowResolution(CaptureArrangement, this);
        accept();
    }
}

bool TPrintForm::CaptureCalendar()
{
    CalendarBTM = QImage();
    QString error = QStringLiteral("アサートの失敗: 配置を取り込めません。");
    {
        BusyCursor busy;
        if (GatherArrangement)
            CalendarBTM = CaptureCalendarPicture(GatherArrangement(), &error);
    }
    if (CalendarBTM.isNull()) {
        dialogs::ShowMessage(error, this);
        return false;
    }
    return true;
}

bool TPrintForm::SaveOrPrintCalendar(int Mode, const QString &FN)
{
    const QImage picture = CalendarBTM;
    CalendarBTM = QImage();
    if (picture.isNull())
        return false;
    if (Mode == 0)
        return SavePictureFile(picture, FN, parentWidget() ? parentWidget() : this);

    std::optional<BusyCursor> busy(std::in_place);
    lastPrintRect_ = QRect();
    const PrintResult result = PrintPicture(*printer_, picture, &lastPrintRect_, [&] {
        busy.reset();
        dialogs::ShowMessage(QStringLiteral("カレンダーをプリンターポートへ送信しました。"), this);
    });
    busy.reset();
    return reportPrintResult(result);
}

bool TPrintForm::reportPrintResult(PrintResult result)
{
    switch (result) {
    case PrintResult::Printed:
        return true;
    case PrintResult::BeginFailed:
        if (printer_->outputFormat() == QPrinter::PdfFormat)
            dialogs::ShowMessage(printer_->outputFileName() + QStringLiteral("\nファイルに書き込めませんでした。"), this);
        else
            dialogs::ShowMessage(QStringLiteral("プリンター「%1」で印刷を始められませんでした。").arg(printer_->printerName()),
                                 this);
        return false;
    case PrintResult::DrawFailed:
        dialogs::ShowMessage(QStringLiteral("印刷できませんでした。"), this);
        return false;
    }
    return false;
}

bool TPrintForm::freshOutput() const { return DrawsAfresh && CaptureArrangement; }

namespace {
const QString kEmptyPaperMessage = QStringLiteral("アサートの失敗: 用紙が小さすぎるため画像にできません。");
const QString kNoMemoryMessage = QStringLiteral("画像を作成するためのメモリが足りません。");
} // namespace

std::optional<TPrintForm::Page> TPrintForm::freshPage()
{
    const Arrangement arrangement = CaptureArrangement();
    const CalendarPaintData data = PaintData ? PaintData() : CalendarPaintData{};
    const QRectF source = PictureSourceRect(arrangement);
    if (source.isEmpty()) {
        dialogs::ShowMessage(kEmptyPaperMessage, this);
        return std::nullopt;
    }
    return Page{PictureSize(arrangement.landscape), [arrangement, data, source](QPainter &painter, const QRect &target) {
                    PaintArrangement(painter, arrangement, data, source, QRectF(target));
                }};
}

bool TPrintForm::printAfresh()
{
    const std::optional<Page> page = freshPage();
    if (!page)
        return false;
    std::optional<BusyCursor> busy(std::in_place);
    lastPrintRect_ = QRect();
    const PrintResult result = PrintDrawing(*printer_, page->proportions, page->draw, &lastPrintRect_, [&] {
        busy.reset();
        dialogs::ShowMessage(QStringLiteral("カレンダーをプリンターポートへ送信しました。"), this);
    });
    busy.reset();
    return reportPrintResult(result);
}

void TPrintForm::BtnPreviewClick()
{
    std::optional<Page> page;
    if (freshOutput()) {
        page = freshPage();
    } else if (CaptureCalendar()) {
        page = Page{CalendarBTM.size(), PictureDrawing(CalendarBTM)};
        CalendarBTM = QImage();
    }
    if (!page)
        return;
    PrintPreviewDialog preview(printer_.get(), page->proportions, page->draw, this);
    if (preview.exec() == QDialog::Accepted)
        BtnPrintClick();
}

void TPrintForm::SavePdfCommand(QWidget *owner)
{
    if (!CaptureArrangement)
        return;
    const Arrangement arrangement = CaptureArrangement();
    const CalendarPaintData data = PaintData ? PaintData() : CalendarPaintData{};
    if (PictureSourceRect(arrangement).isEmpty()) {
        dialogs::ShowMessage(kEmptyPaperMessage, owner);
        return;
    }
    const dialogs::FileAnswer answer = dialogs::SaveFile(QStringLiteral("PDFで保存"), QStringLiteral("PDFファイル (*.pdf)"),
                                                         1, QStringLiteral("pdf"), QString(), owner);
    if (answer.path.isEmpty())
        return;
    QString path = answer.path;
    if (FileExtension(path).isEmpty())
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) && !dialogs::Confirm(OverwriteQuestion(path), owner))
        return;
    QString error;
    bool ok;
    {
        BusyCursor busy;
        ok = WriteArrangementPdf(path, arrangement, data, &error);
    }
    if (!ok)
        dialogs::ShowMessage(path + QLatin1Char('\n') + error, owner);
    else
        TellLowResolution(CaptureArrangement, owner);
}

void TPrintForm::SavePictureCommand(QWidget *owner)
{
    if (freshOutput()) {
        // The arrangement is taken before any dialog opens.
        const Arrangement arrangement = CaptureArrangement();
        const CalendarPaintData data = PaintData ? PaintData() : CalendarPaintData{};
        if (PictureSourceRect(arrangement).isEmpty()) {
            dialogs::ShowMessage(kEmptyPaperMessage, this);
            return;
        }
        const QString config = ConfigIniPath(DataFolder());
        const dialogs::FileAnswer answer = dialogs::SaveFileWithChoice(
            QStringLiteral("名前を付けて保存"), PictureFileFilter(), 1, QString(),
            DialogStartFolder(config, DialogFolder::Picture), QStringLiteral("大きさ (幅 × 高さ ピクセル):"),
            PictureSizeTexts(arrangement.landscape), PictureSizeIndex, owner);
        if (answer.path.isEmpty())
            return;
        RememberDialogFolder(config, DialogFolder::Picture, answer.path);
        if (answer.choice >= 0 && answer.choice < kPictureSizeChoices)
            PictureSizeIndex = answer.choice;
        const QString fileName = WithPictureExtension(answer.path, answer.filterIndex);
        if (fileName.isEmpty())
            return;
        {
            BusyCursor busy;
            CalendarBTM = RenderArrangementPicture(arrangement, data,
                                                   PictureSizeChoice(PictureSizeIndex, arrangement.landscape));
        }
        if (CalendarBTM.isNull()) {
            dialogs::ShowMessage(kNoMemoryMessage, this);
            return;
        }
        if (SaveOrPrintCalendar(0, fileName))
            TellLowResolution(CaptureArrangement, owner);
        return;
    }
    if (!CaptureCalendar())
        return;
    const QString config = ConfigIniPath(DataFolder());
    const dialogs::FileAnswer answer =
        dialogs::SaveFile(QStringLiteral("名前を付けて保存"), PictureFileFilter(), 1, QString(),
                          DialogStartFolder(config, DialogFolder::Picture), owner);
    if (answer.path.isEmpty()) {
        CalendarBTM = QImage();
        return;
    }
    RememberDialogFolder(config, DialogFolder::Picture, answer.path);
    const QString fileName = WithPictureExtension(answer.path, answer.filterIndex);
    if (!fileName.isEmpty() && SaveOrPrintCalendar(0, fileName))
        TellLowResolution(CaptureArrangement, owner);
}

void TPrintForm::PrintCommand()
{
    exec();
    centreOnScreen();
}

void TPrintForm::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    const QSize f = frameGeometry().size();
    move(s.left() + (s.width() - f.width()) / 2, s.top() + (s.height() - f.height()) / 2);
}

} // namespace tamarie
