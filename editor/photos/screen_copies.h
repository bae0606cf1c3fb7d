#pragma once
// The copies of photos the screen shows, each reduced by averaging to the
// size it is shown at.  They are decoded off the user-interface thread (as
// many at once as there are cores), announced when ready, and the recent
// ones kept, so a photo shown again at the same size (another frame of the
// same file, an undone change) needs no second decode.  The decoded
// originals are never kept.
#include <QCache>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

namespace tamarie {

struct CopyKey {
    QString fileName;
    int quarterTurns = 0;
    QSize size;  // the copy's pixels, upright and turned
    bool operator==(const CopyKey &) const = default;
};
size_t qHash(const CopyKey &key, size_t seed = 0);

class ScreenCopies : public QObject {
    Q_OBJECT
public:
    static ScreenCopies &Instance();

    // The copy when it is kept; null otherwise.
    QImage Find(const CopyKey &key) const;
    // Starts decoding the copy unless it is kept or under way; Ready follows
    // (at once, from the event loop, when it is kept).  Interest is counted:
    // a copy nobody wants any more by the time its turn comes is not decoded.
    void Request(const CopyKey &key);
    void Forget(const CopyKey &key);
    // Decodes asked for and not yet announced.
    int Pending() const { return pending_.size(); }
    // A program that shows nothing (tamarie-render) asks for no copies.
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

signals:
    void Ready(const tamarie::CopyKey &key, const QImage &copy, const QString &error);
    void BusyChanged(bool busy);

private:
    ScreenCopies();
    void Finish(const CopyKey &key, const QImage &copy, const QString &error);

    // What a file was when its copy was made (a changed file is decoded again).
    struct Kept {
        QImage copy;
        QString error;
        qint64 stamp = 0;
    };
    const Kept *KeptFor(const CopyKey &key) const;

    QThreadPool pool_;
    QHash<CopyKey, int> pending_;  // key -> frames waiting for it
    mutable QMutex interestLock_;  // pending_ is read by the decoding threads
    QCache<CopyKey, Kept> kept_;
    bool enabled_ = true;
};

} // namespace tamarie
