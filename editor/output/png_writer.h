#pragma once
// A fast PNG encoder for finished pictures: 8-bit RGB, each row filtered with
// the filter that gives the smallest sum of magnitudes (as libpng chooses), and
// bands of rows filtered and compressed (libdeflate) on all cores, joined into
// the one zlib stream a PNG holds.  Any PNG reader opens the result.
#include <QImage>
#include <QString>

#include <functional>

namespace tamarie {

// Receives the encoded file in order, piece by piece; false stops the encoding.
using PngSink = std::function<bool(const char *data, qint64 size)>;

struct PngOptions {
    int level = 5;    // libdeflate level: 5 gives files as small as zlib's default
    int threads = 0;  // 0: one per core
};

// Encodes picture (converted to 8-bit RGB when it is not) and hands the bytes
// to sink.  On failure returns false and sets *error; what sink received
// before is then incomplete.
bool EncodePng(const QImage &picture, const PngSink &sink, QString *error, const PngOptions &options = {});

} // namespace tamarie
