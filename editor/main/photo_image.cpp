#include "photo_image.h"

#include "dialogs.h"
#include "photo_decoder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QThread>

#include <cmath>

namespace tamarie {

namespace {

// A copy is made again when the size shown differs from it by more than this.
constexpr double kRemakeRatio = 0.04;
// Wheel notches and drags of a frame's edge come in runs; the copy follows when they rest.
constexpr int kSettleMs = 150;
// The largest copy, and what all copies together may take (pixels).
constexpr qint64 kMaxCopyPixels = qint64(4) * 1024 * 1024;
constexpr qint64 kAllCopiesPixels = qint64(64) * 1024 * 1024;

const QColor kPlaceholder(226, 226, 226);

QList<TImage *> &AllImages()
{
    static QList<TImage *> images;
    return images;
}

} // namespace

TImage::TImage(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &TImage::AskForCopy);
    connect(&ScreenCopies::Instance(), &ScreenCopies::Ready, this, &TImage::Take);
    AllImages().append(this);
}

TImage::~TImage()
{
    Drop();
    AllImages().removeOne(this);
}

void TImage::Drop()
{
    if (!wanted_.fileName.isEmpty())
        ScreenCopies::Instance().Forget(wanted_);
    wanted_ = CopyKey();
}

void TImage::ShowPhoto(const QString &fileName, int quarterTurns)
{
    quarterTurns = ((quarterTurns % 4) + 4) % 4;
    if (fileName == file_ && quarterTurns == turns_ && (!fileName.isEmpty() || copy_.isNull()))
        return;
    Drop();
    file_ = fileName;
    turns_ = quarterTurns;
    copy_ = QImage();
    shown_ = CopyKey();
    pixels_ = QSize();
    error_.clear();
    if (!file_.isEmpty()) {
        const PhotoProbe probe = ProbePhoto(file_);
        error_ = probe.error;
        pixels_ = TurnedSize(probe.size, turns_);
        // Another frame of the same photo may have the copy already.
        const CopyKey key{file_, turns_, CopySizeFor(size() * devicePixelRatioF())};
        copy_ = ScreenCopies::Instance().Find(key);
        if (!copy_.isNull())
            shown_ = key;
    }
    update();
    emit ScreenCopyChanged();
}

QSize TImage::CopySizeFor(const QSize &shown) const
{
    QSize size = shown.expandedTo(QSize(1, 1));
    if (!pixels_.isEmpty())
        size = size.boundedTo(pixels_);
    // Every frame's share of what all copies may take, and never more than one large copy.
    qint64 all = 0;
    for (const TImage *image : AllImages())
        if (!image->file_.isEmpty())
            all += qint64(image->width()) * image->height();
    const double share = all > kAllCopiesPixels ? double(kAllCopiesPixels) / all : 1.0;
    const double area = double(size.width()) * size.height();
    const double cap = std::min(double(kMaxCopyPixels), area * share);
    if (area > cap) {
        const double s = std::sqrt(cap / area);
        size = QSize(std::max(1, int(size.width() * s)), std::max(1, int(size.height() * s)));
    }
    return size;
}

void TImage::AskForCopy()
{
    if (file_.isEmpty() || !error_.isEmpty() || !isVisible() || !ScreenCopies::Instance().Enabled())
        return;
    const CopyKey key{file_, turns_, CopySizeFor(size() * devicePixelRatioF())};
    auto near = [&key](const QSize &s) {
        return std::abs(s.width() - key.size.width()) <= kRemakeRatio * key.size.width() + 1 &&
               std::abs(s.height() - key.size.height()) <= kRemakeRatio * key.size.height() + 1;
    };
    if ((!copy_.isNull() && shown_.fileName == file_ && shown_.quarterTurns == turns_ && near(shown_.size)) ||
        key == wanted_)
        return;
    Drop();
    wanted_ = key;
    ScreenCopies::Instance().Request(key);
}

void TImage::Take(const CopyKey &key, const QImage &copy, const QString &error)
{
    // Only what was asked for last counts, whatever order decodes finish in.
    if (key != wanted_)
        return;
    wanted_ = CopyKey();
    if (!error.isEmpty()) {
        error_ = error;
        copy_ = QImage();
    } else {
        copy_ = copy;
        shown_ = key;
    }
    update();
    emit ScreenCopyChanged();
}

void TImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // With a copy to stretch meanwhile, the new size is waited for; without
    // one the next painting asks at once.
    if (!copy_.isNull())
        settle_.start();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (file_.isEmpty())
        return;
    QPainter p(this);
    if (copy_.isNull()) {
        p.fillRect(rect(), kPlaceholder);
        if (!error_.isEmpty()) {
            p.setPen(QPen(QColor(150, 150, 150), 1));
            p.drawLine(rect().topLeft(), rect().bottomRight());
            p.drawLine(rect().topRight(), rect().bottomLeft());
        } else if (!Loading() && !settle_.isActive()) {
            // Asked for when first painted: by then a file's whole arrangement is laid out.
            QMetaObject::invokeMethod(this, &TImage::AskForCopy, Qt::QueuedConnection);
        }
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), copy_);
    if (!Loading() && !settle_.isActive() && !(shown_.size == CopySizeFor(size() * devicePixelRatioF())))
        QMetaObject::invokeMethod(this, &TImage::AskForCopy, Qt::QueuedConnection);
}

bool WaitForScreenCopies(int msecs)
{
    QElapsedTimer clock;
    clock.start();
    auto settled = [] {
        if (ScreenCopies::Instance().Pending() > 0)
            return false;
        for (const TImage *image : AllImages())
            if (image->Settling())
                return false;
        return true;
    };
    // Frames ask for their copies when painted, which the event loop does
    // first: settled means so over several turns of it.
    for (int quiet = 0; quiet < 3;) {
        if (clock.elapsed() > msecs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (settled()) {
            ++quiet;
        } else {
            quiet = 0;
            QThread::msleep(2);
        }
    }
    return true;
}

void WatchPhotoLoading()
{
    static bool watching = false;
    if (watching)
        return;
    watching = true;
    ScreenCopies &copies = ScreenCopies::Instance();
    QObject::connect(&copies, &ScreenCopies::BusyChanged, &copies, [](bool busy) {
        QSet<QWidget *> windows;
        for (TImage *image : AllImages())
            windows.insert(image->window());
        for (QWidget *w : windows) {
            if (busy)
                w->setCursor(Qt::BusyCursor);
            else
                w->unsetCursor();
        }
    });
    // Failures only decoding finds (a file cut short, damaged data): one
    // message for all the photos they hit, once the decodes have settled.
    static QStringList failures;
    static QSet<QString> told;  // each failure once a session, however many frames show the file
    QObject::connect(&copies, &ScreenCopies::Ready, &copies,
                     [](const CopyKey &, const QImage &copy, const QString &error) {
                         if (!copy.isNull() || error.isEmpty() || told.contains(error))
                             return;
                         told.insert(error);
                         failures << error;
                         if (failures.size() == 1)
                             QTimer::singleShot(200, [] {
                                 const QString text = failures.join(QLatin1Char('\n'));
                                 failures.clear();
                                 dialogs::ShowMessage(text, QApplication::activeWindow());
                             });
                     });
}

} // namespace tamarie
