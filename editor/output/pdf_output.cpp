#include "pdf_output.h"

#include "arrangement_capture.h"
#include "arrangement_render.h"

#include "replacing_file.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

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
    // The temporary file beside the target is opened first, so a place that
    // cannot be written is known before the page is drawn; the target is
    // replaced only by the complete document.
    ReplacingFile file(path);
    if (!file.Open()) {
        if (error)
            *error = file.ErrorString();
        return false;
    }
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&document);
        pdf.setResolution(kPdfResolution);
        pdf.setCreator(QStringLiteral("タマリエ"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      arrangement.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            file.Cancel();
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
    if (!file.Write(document.data()) || !file.Commit()) {
        if (error)
            *error = file.ErrorString();
        return false;
    }
    return true;
}

} // namespace tamarie
