#include "photo_source.h"

#include "photo_decoder.h"

namespace tamarie {

namespace {
class Decoding : public PhotoSource {
public:
    QImage Picture(const QString &fileName, int quarterTurns, const QSize &pixels) override
    {
        return DecodePhoto(fileName, {quarterTurns, pixels}).image;
    }
};
} // namespace

PhotoSource &DecodingPhotoSource()
{
    static Decoding source;
    return source;
}

} // namespace tamarie
