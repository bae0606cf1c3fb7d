#include "output_photos.h"

#include "arrangement_painter.h"
#include "photo_decoder.h"

namespace tamarie {

namespace {
constexpr size_t kAhead = 2;
}

OutputPhotos::OutputPhotos(const Arrangement &arrangement, const QTransform &toDevice)
{
    for (const PhotoLayer &p : arrangement.photos) {
        if (p.fileName.isEmpty() || p.bounds.isEmpty())
            continue;
        Job job;
        job.fileName = p.fileName;
        job.quarterTurns = p.quarterTurns;
        job.pixels = PhotoPixelsOnDevice(toDevice, p.bounds);
        jobs_.push_back(std::move(job));
    }
    while (next_ < jobs_.size() && next_ < kAhead)
        StartNext();
}

OutputPhotos::~OutputPhotos()
{
    // Decodes still running finish before their files' names go.
    for (Job &job : jobs_)
        if (job.picture.valid())
            job.picture.wait();
}

void OutputPhotos::StartNext()
{
    Job &job = jobs_[next_++];
    job.picture = std::async(std::launch::async, [file = job.fileName, turns = job.quarterTurns, pixels = job.pixels] {
        return DecodePhoto(file, {turns, pixels}).image;
    });
}

QImage OutputPhotos::Picture(const QString &fileName, int quarterTurns, const QSize &pixels)
{
    if (taken_ < jobs_.size()) {
        Job &job = jobs_[taken_];
        if (job.fileName == fileName && job.quarterTurns == quarterTurns && job.pixels == pixels) {
            ++taken_;
            if (next_ < jobs_.size())
                StartNext();
            return job.picture.get();
        }
    }
    // Not the one expected (a drawing of its own): decoded here.
    return DecodingPhotoSource().Picture(fileName, quarterTurns, pixels);
}

} // namespace tamarie
