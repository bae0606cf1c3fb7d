#include "pdf_output.h"

#include "arrangement_capture.h"
#include "arrangement_render.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace tamarie {

bool WriteArrangementPdf(const QString &path, const Arrangement &arrangement, const CalendarPaintData &data,
                         QString *error)
{
    const QRectF source = PictureSourceRect(arrangement);
    if (source.isEmpty()) {
        if (error)
            *error = QStringLiteral("用紙が小さすぎるため出力できません。");
        return false;
    }
    // Written to a temporary file that replaces the target only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kPdfResolution);
        pdf.setCreator(QStringLiteral("タマリエ"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      arrangement.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            file.cancelWriting();
            if (error)
                *error = QStringLiteral("PDFを作成できませんでした。");
            return false;
        }
        // The whole picture on the page, as wide as the page lets it be.
        const QSizeF picture = QSizeF(PictureSize(arrangement.landscape));
        const QSizeF fitted = picture.scaled(QSizeF(pdf.width(), pdf.height()), Qt::KeepAspectRatio);
        PaintArrangement(painter, arrangement, data, source, QRectF(QPointF(0, 0), fitted));
        painter.end();
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace tamarie
