#pragma once
// Whether a photo has pixels enough for print: the picture is taken as A4
// across its width (a 2000-pixel-wide picture as 210 mm), and a photo that
// gives fewer than about 150 pixels to the inch of what it covers is named
// after the output, so the user knows before the print comes out blurred.
#include "arrangement.h"

#include <QRect>
#include <QSize>
#include <QString>

namespace tamarie {

constexpr int kPrintDpiWanted = 150;

// Pixels per inch a photo of `pixels` (upright and turned) gives over a
// frame of that size on the paper once the arrangement is printed on A4; 0
// for no photo.
int PrintedDpi(const QSize &pixels, const QSize &frame, const QSize &paperSize, bool landscape);
int PrintedDpi(const QSize &pixels, const QRect &bounds, const Arrangement &arrangement);

// The photo's lines of the size read-out: its pixels and that figure
// ("元画像:6000X4000ピクセル", "印刷時:約300dpi"), each after a CR; empty
// for a photo of unknown size.
QString PrintResolutionHint(const QSize &pixels, int dpi);

// "画像 <name> は印刷には解像度が不足しています(約 N dpi)。", one line per
// photo below kPrintDpiWanted; empty when every photo has pixels enough.
QString LowResolutionNotice(const Arrangement &arrangement);

} // namespace tamarie
