#include "screen_copies.h"

#include "photo_decoder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

namespace tamarie {

namespace {
// Kept copies, in kilobytes: a screenful of photos several times over.
constexpr int kKeptKilobytes = 96 * 1024;

qint64 Stamp(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.lastModified().toMSecsSinceEpoch() ^ (info.size() << 20);
}
} // namespace

size_t qHash(const CopyKey &key, size_t seed)
{
    return qHashMulti(seed, key.fileName, key.quarterTurns, key.size.width(), key.size.height());
}

ScreenCopies &ScreenCopies::Instance()
{
    static ScreenCopies *copies = new ScreenCopies;  // lives as long as the program
    return *copies;
}

ScreenCopies::ScreenCopies() : kept_(kKeptKilobytes)
{
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

const ScreenCopies::Kept *ScreenCopies::KeptFor(const CopyKey &key) const
{
    const Kept *kept = kept_.object(key);
    return kept && kept->stamp == Stamp(key.fileName) ? kept : nullptr;
}

QImage ScreenCopies::Find(const CopyKey &key) const
{
    const Kept *kept = KeptFor(key);
    return kept ? kept->copy : QImage();
}

void ScreenCopies::Request(const CopyKey &key)
{
    if (!enabled_ || key.fileName.isEmpty() || key.size.isEmpty())
        return;
    {
        const QMutexLocker lock(&interestLock_);
        if (auto it = pending_.find(key); it != pending_.end()) {
            ++it.value();
            return;
        }
        pending_.insert(key, 1);
    }
    if (pending_.size() == 1)
        emit BusyChanged(true);
    if (const Kept *kept = KeptFor(key)) {
        QTimer::singleShot(0, this, [this, key, copy = kept->copy, error = kept->error] { Finish(key, copy, error); });
        return;
    }
    pool_.start([this, key] {
        {
            const QMutexLocker lock(&interestLock_);
            if (pending_.value(key) <= 0) {
                QMetaObject::invokeMethod(this, [this, key] { Finish(key, QImage(), QString()); }, Qt::QueuedConnection);
                return;
            }
        }
        const DecodedPhoto d = DecodePhoto(key.fileName, {key.quarterTurns, key.size});
        QMetaObject::invokeMethod(
            this, [this, key, copy = d.image, error = d.error] { Finish(key, copy, error); }, Qt::QueuedConnection);
    });
}

void ScreenCopies::Forget(const CopyKey &key)
{
    const QMutexLocker lock(&interestLock_);
    auto it = pending_.find(key);
    if (it != pending_.end() && it.value() > 0)
        --it.value();
}

void ScreenCopies::Finish(const CopyKey &key, const QImage &copy, const QString &error)
{
    bool wanted;
    {
        const QMutexLocker lock(&interestLock_);
        wanted = pending_.value(key) > 0;
        pending_.remove(key);
    }
    if (!copy.isNull() || !error.isEmpty())
        kept_.insert(key, new Kept{copy, error, Stamp(key.fileName)}, std::max<int>(1, int(copy.sizeInBytes() / 1024)));
    if (wanted && (!copy.isNull() || !error.isEmpty()))
        emit Ready(key, copy, error);
    if (pending_.isEmpty())
        emit BusyChanged(false);
}

} // namespace tamarie
