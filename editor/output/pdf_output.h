#pragma once
// The arrangement as a one-page PDF: day numbers, titles and labels as text,
// marks and backgrounds as vectors, only the photos as pictures.
#include "arrangement.h"
#include "arrangement_painter.h"

#include <QString>

namespace tamarie {

// Resolution of the page's device units; photos are reduced to it.
constexpr int kPdfResolution = 600;

// Writes an A4 page (landscape for landscape paper) with the part of the
// paper the pictures show across the page width.  On failure returns false
// with *error set; nothing is left at path.
bool WriteArrangementPdf(const QString &path, const Arrangement &arrangement, const CalendarPaintData &data,
                         QString *error);

} // namespace tamarie
