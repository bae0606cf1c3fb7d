#pragma once
// Reduction by averaging: every output pixel is the mean of the source area
// it covers (fractional pixels at its edges weighted by how much of them it
// covers).  Rows are taken one at a time as they are decoded, so the source
// never has to exist whole; only the output and one row of sums are held.
#include <QImage>
#include <QSize>

#include <vector>

namespace tamarie {

class AreaReducer {
public:
    // A source of sourceSize reduced to at most target on each axis (an axis
    // where the source is smaller keeps its size).  alpha: rows are
    // premultiplied ARGB and the result keeps its alpha; otherwise RGB32.
    AreaReducer(const QSize &sourceSize, const QSize &target, bool alpha);

    QSize OutputSize() const { return out_.size(); }
    bool Valid() const { return !out_.isNull(); }
    // The next source row: width pixels of 0xAARRGGBB (premultiplied when alpha).
    void AddRow(const quint32 *row);
    // The next source row as R, G, B bytes, or R, G, B, A with straight or
    // premultiplied alpha (as the codecs hand them over).
    void AddBytesRow(const uchar *row, int bytesPerPixel, bool premultiplied);
    // The result once every row has been added.
    QImage Take();

    // A whole picture at once (any format).
    static QImage Reduce(const QImage &source, const QSize &target);

private:
    // The row reduced across into line_, C channels a pixel.
    template <int C>
    void ReduceAcross(const quint32 *row);
    void Emit(int y);

    int sw_ = 0, sh_ = 0, dw_ = 0, dh_ = 0;
    int channels_ = 3;
    double sy_ = 1;  // source rows per output row
    int row_ = 0;    // next source row
    int outRow_ = 0;  // output row being summed
    std::vector<int> first_;     // per output column: first source column
    std::vector<int> weightAt_;  // per output column: index of its first weight
    std::vector<float> weights_;
    std::vector<float> line_;    // the current source row, reduced across
    std::vector<float> sums_;    // the output row being summed
    std::vector<quint32> packed_;  // a row of bytes as 0xAARRGGBB
    QImage out_;
};

} // namespace tamarie
