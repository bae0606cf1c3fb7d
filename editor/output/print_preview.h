#pragma once
// "プレビュー" of the print window: the page as the chosen printer will
// print it (its paper, orientation and margins, and the picture where and
// as large as printing puts it), drawn by the very drawing printing sends.
// The orientation can be changed here; printing then uses it.
#include "picture_printing.h"

#include <QDialog>
#include <QPageLayout>
#include <QRect>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace tamarie {

// "用紙: A4 (210 × 297 mm) 縦　余白: ..." and "画像: ... mm (...)": the page
// and where the picture lies on it, pictureOnPaper in millimetres from the
// paper's top-left corner.
QString PageDescription(const QPageLayout &layout, const QRectF &pictureOnPaper);
// The target rectangle (device pixels of the printable area) on the paper, in millimetres.
QRectF TargetOnPaper(const QPrinter &printer, const QRect &target);

class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    PrintPreviewDialog(QPrinter *printer, const QSize &proportions, PageDrawing draw, QWidget *parent = nullptr);

    QPrintPreviewWidget *Preview = nullptr;
    QLabel *PageText = nullptr;
    QRadioButton *RadioPortrait = nullptr;
    QRadioButton *RadioLandscape = nullptr;
    QPushButton *BtnPrint = nullptr;   // closes with Accepted: the print window prints
    QPushButton *BtnClose = nullptr;

    // Where the preview last drew the picture (device pixels of the printable area).
    QRect LastTarget() const { return lastTarget_; }

private:
    void paintPage(QPrinter *printer);
    void showOrientation();

    QPrinter *printer_;
    QSize proportions_;
    PageDrawing draw_;
    QRect lastTarget_;
};

} // namespace tamarie
