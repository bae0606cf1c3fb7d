#pragma once
// Pictures drawn afresh from the arrangement at the output's own resolution:
// the part of the paper the screen-sized picture shows, mapped onto the
// whole output, so every element lands where resampling would put it.
#include "arrangement.h"
#include "arrangement_painter.h"

#include <QImage>
#include <QSize>
#include <QStringList>

namespace tamarie {

// The sizes offered for a picture: 0 = 2000 x 2800, 1 = 3000 x 4200,
// 2 = 4000 x 5600; landscape swaps width and height.  Other choices give 0.
QSize PictureSizeChoice(int choice, bool landscape);
// "2000 × 2800" ... in the same order, for the orientation.
QStringList PictureSizeTexts(bool landscape);
constexpr int kPictureSizeChoices = 3;

// The paper rectangle the pictures show (the capture rectangle).
QRectF PictureSourceRect(const Arrangement &arrangement);

// The arrangement at size (RGB, opaque). Null for an empty capture
// rectangle, an empty size or a picture too large to allocate.
QImage RenderArrangementPicture(const Arrangement &arrangement, const CalendarPaintData &data, const QSize &size);

} // namespace tamarie
