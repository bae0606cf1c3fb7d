#pragma once
// The print window: printer choice, the printer's own settings dialog, a
// preview of the page, and the capture-then-save or capture-then-print
// commands of the main window.
#include "arrangement_capture.h"
#include "arrangement_render.h"
#include "picture_printing.h"

#include <QDialog>
#include <QImage>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace tamarie {

class TPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget *parent = nullptr);
    ~TPrintForm() override;

    // Supplied by the main window: renderings of the paper (with its photos)
    // and of the visible calendar pairs in stacking order, and the paper's
    // orientation. Without it nothing can be captured.
    std::function<ArrangementRendering()> GatherArrangement;
    // Optional: screen position of the paper's bottom-right client corner;
    // printing moves this window to the right of it.
    std::function<QPoint()> PaperBottomRight;
    // Supplied by the main window: the arrangement as plain values and the
    // day data its calendars read, for output drawn afresh.
    std::function<Arrangement()> CaptureArrangement;
    std::function<CalendarPaintData()> PaintData;
    // "出力": true ("高精細") draws pictures and prints afresh at the output's
    // resolution; false ("画面どおり") composes at screen size and resamples.
    bool DrawsAfresh = true;
    // The picture size chosen last (PictureSizeChoice).
    int PictureSizeIndex = 0;

    // Composes and resamples the arrangement into CalendarBTM. Reports an
    // empty paper and returns false.
    bool CaptureCalendar();
    // Mode 0: save CalendarBTM to FN; Mode 1: print it (FN unused). Returns
    // true when the file was written or the page sent. CalendarBTM is
    // released in every case.
    bool SaveOrPrintCalendar(int Mode, const QString &FN);

    // "画像で保存": capture, file dialog, extension rules, save. The main
    // window checks its scroll bar first.
    void SavePictureCommand(QWidget *owner);
    // "PDFで保存": the arrangement as a PDF page of vectors and photos.
    void SavePdfCommand(QWidget *owner);
    // "印刷": show this window modally, then centre it again. The main
    // window checks its scroll bar first.
    void PrintCommand();

    QPrinter *Printer() const { return printer_.get(); }
    // True when the selected entry is the PDF file entry (no printer installed).
    bool PrintsToPdfFile() const;
    // The rectangle the last print drew the picture into (device pixels).
    QRect LastPrintRect() const { return lastPrintRect_; }

    QImage CalendarBTM;

    QLabel *Label1 = nullptr;
    QComboBox *ComboBoxPrinter = nullptr;
    QPushButton *BtnSetPrinter = nullptr;
    QPushButton *BtnPrint = nullptr;
    QPushButton *BtnPreview = nullptr;  // "プレビュー"

    void FormCreate();
    void ComboBoxPrinterChange();
    void BtnSetPrinterClick();
    void BtnPrintClick();
    // Shows the page as it will print; its "印刷" prints as BtnPrintClick does.
    void BtnPreviewClick();

    // Text of the list entry offered when no printer is installed.
    static QString PdfEntryText();

private:
    // A drawing to print and its proportions.
    struct Page {
        QSize proportions;
        PageDrawing draw;
    };
    bool freshOutput() const;
    // The arrangement as it is now, drawn afresh; reports an empty paper.
    std::optional<Page> freshPage();
    bool printAfresh();
    bool reportPrintResult(PrintResult result);
    void centreOnScreen();
    bool askPdfFile();

    std::unique_ptr<QPrinter> printer_;
    QRect lastPrintRect_;
};

} // namespace tamarie
