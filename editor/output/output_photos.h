#pragma once
// The photos of one output, decoded ahead of the painter: in stacking order,
// each at the device pixels it covers, at most two decodes running beside the
// drawing (the two cores), so the output waits on decoding only once.  Each
// picture is released as soon as it has been drawn.
#include "arrangement.h"
#include "photo_source.h"

#include <QTransform>

#include <deque>
#include <future>
#include <memory>
#include <vector>

namespace tamarie {

class OutputPhotos : public PhotoSource {
public:
    // The photos of arrangement as drawn through toDevice (paper to device pixels).
    OutputPhotos(const Arrangement &arrangement, const QTransform &toDevice);
    ~OutputPhotos() override;

    QImage Picture(const QString &fileName, int quarterTurns, const QSize &pixels) override;

private:
    struct Job {
        QString fileName;
        int quarterTurns = 0;
        QSize pixels;
        std::future<QImage> picture;
    };
    void StartNext();

    std::vector<Job> jobs_;
    size_t next_ = 0;     // the next job to start
    size_t taken_ = 0;    // the next job the painter takes
};

} // namespace tamarie
