#pragma once
// Where a drawing takes its photos from: each photo decoded for the pixels
// it covers on the device it is drawn on, never kept beyond that drawing.
#include <QImage>
#include <QSize>
#include <QString>

namespace tamarie {

class PhotoSource {
public:
    virtual ~PhotoSource() = default;
    // fileName upright, turned by quarterTurns and reduced to pixels (or its
    // own size on an axis where that is smaller); null when it cannot be read.
    virtual QImage Picture(const QString &fileName, int quarterTurns, const QSize &pixels) = 0;
};

// Decodes each photo when it is asked for, on the asking thread.
PhotoSource &DecodingPhotoSource();

} // namespace tamarie
