#pragma once
// Bilinear resampling of the captured arrangement to the output size.
#include <QImage>

namespace tamarie {

// Returns a new 24-bit picture (QImage::Format_RGB888) of width x height.
// Pixel centres are aligned (destination centre x + 0.5 maps to source
// position (x + 0.5) * sw / width), edge rows and columns are repeated, and
// every channel is computed in double precision and rounded half to even.
// Returns a null image when the source is empty or the sizes are not
// positive (or the destination cannot be allocated).
QImage ResampleBitmap(const QImage &source, int width, int height);

// The same without vector instructions, as used on processors without AVX2.
QImage ResampleBitmapPortable(const QImage &source, int width, int height);

} // namespace tamarie
