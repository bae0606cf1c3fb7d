#include "print_preview.h"

#include "busy_cursor.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tamarie {

namespace {

// Millimetres to a tenth, without a trailing ".0".
QString Mm(qreal value)
{
    QString s = QString::number(value, 'f', 1);
    if (s.endsWith(QStringLiteral(".0")))
        s.chop(2);
    return s == QStringLiteral("-0") ? QStringLiteral("0") : s;
}

} // namespace

QString PageDescription(const QPageLayout &layout, const QRectF &pictureOnPaper)
{
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    const QString orientation =
        layout.orientation() == QPageLayout::Landscape ? QStringLiteral("横") : QStringLiteral("縦");
    QString text = QStringLiteral("用紙: %1 (%2 × %3 mm) %4　余白: 上 %5 下 %6 左 %7 右 %8 mm")
                       .arg(layout.pageSize().name(), Mm(full.width()), Mm(full.height()), orientation,
                            Mm(paint.top() - full.top()), Mm(full.bottom() - paint.bottom()),
                            Mm(paint.left() - full.left()), Mm(full.right() - paint.right()));
    if (pictureOnPaper.isEmpty())
        return text + QStringLiteral("\n画像: 印刷できる範囲がありません");
    return text + QStringLiteral("\n画像: %1 × %2 mm (用紙の左端から %3 mm、上端から %4 mm)")
                      .arg(Mm(pictureOnPaper.width()), Mm(pictureOnPaper.height()), Mm(pictureOnPaper.left()),
                           Mm(pictureOnPaper.top()));
}

QRectF TargetOnPaper(const QPrinter &printer, const QRect &target)
{
    const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    if (target.isEmpty() || printer.width() < 1 || printer.height() < 1)
        return {};
    const qreal sx = paint.width() / printer.width();
    const qreal sy = paint.height() / printer.height();
    return QRectF(paint.left() + target.x() * sx, paint.top() + target.y() * sy, target.width() * sx,
                  target.height() * sy);
}

PrintPreviewDialog::PrintPreviewDialog(QPrinter *printer, const QSize &proportions, PageDrawing draw, QWidget *parent)
    : QDialog(parent), printer_(printer), proportions_(proportions), draw_(std::move(draw))
{
    setWindowTitle(QStringLiteral("印刷プレビュー-タマリエ"));
    Preview = new QPrintPreviewWidget(printer_, this);
    Preview->setZoomMode(QPrintPreviewWidget::FitInView);
    Preview->setMinimumSize(360, 420);
    PageText = new QLabel(this);
    PageText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    RadioPortrait = new QRadioButton(QStringLiteral("縦"), this);
    RadioLandscape = new QRadioButton(QStringLiteral("横"), this);
    auto *orientation = new QButtonGroup(this);
    orientation->addButton(RadioPortrait);
    orientation->addButton(RadioLandscape);
    QFont bold = font();
    bold.setBold(true);
    BtnPrint = new QPushButton(QStringLiteral("印刷"), this);
    BtnPrint->setFont(bold);
    BtnPrint->setDefault(true);
    BtnClose = new QPushButton(QStringLiteral("閉じる"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("用紙の向き:"), this));
    buttons->addWidget(RadioPortrait);
    buttons->addWidget(RadioLandscape);
    buttons->addStretch();
    buttons->addWidget(BtnPrint);
    buttons->addWidget(BtnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Preview, 1);
    layout->addWidget(PageText);
    layout->addLayout(buttons);
    resize(620, 760);

    connect(Preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *p) { paintPage(p); });
    connect(RadioPortrait, &QRadioButton::clicked, Preview, &QPrintPreviewWidget::setPortraitOrientation);
    connect(RadioLandscape, &QRadioButton::clicked, Preview, &QPrintPreviewWidget::setLandscapeOrientation);
    connect(BtnPrint, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    showOrientation();
}

void PrintPreviewDialog::paintPage(QPrinter *printer)
{
    const BusyCursor busy;  // the photos are drawn at the printer's resolution
    QPainter painter(printer);
    lastTarget_ = DrawOnPage(painter, *printer, proportions_, draw_);
    PageText->setText(PageDescription(printer->pageLayout(), TargetOnPaper(*printer, lastTarget_)));
    showOrientation();
}

void PrintPreviewDialog::showOrientation()
{
    const bool landscape = printer_->pageLayout().orientation() == QPageLayout::Landscape;
    RadioLandscape->setChecked(landscape);
    RadioPortrait->setChecked(!landscape);
}

} // namespace tamarie
