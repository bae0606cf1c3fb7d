#include "paper_drops.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

#include "photo_decoder.h"
#include "dialogs.h"
#include "document_edits.h"
#include "tform1.h"

namespace tamarie {

namespace {
constexpr QSize kNewPhotoSize(200, 150);
constexpr int kCascade = 20;

const QMimeData *MimeOf(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return static_cast<QDropEvent *>(event)->mimeData();
    default:
        return nullptr;
    }
}
} // namespace

DroppedFiles SortDroppedFiles(const QList<QUrl> &urls)
{
    DroppedFiles out;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (!info.isFile())
            continue;
        const QString suffix = info.suffix().toLower();
        if (suffix == QLatin1String("ini")) {
            if (out.workState.isEmpty())
                out.workState = info.absoluteFilePath();
        } else if (PhotoFileSuffixes().contains(suffix)) {
            out.photos << info.absoluteFilePath();
        }
    }
    return out;
}

QRect DroppedPhotoBounds(const QPoint &dropPoint, const QSize &picture, int n)
{
    QSize size = kNewPhotoSize;
    if (!picture.isEmpty())
        size = picture.scaled(kNewPhotoSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QPoint centre = dropPoint + QPoint(kCascade, kCascade) * n;
    return QRect(centre - QPoint(size.width() / 2, size.height() / 2), size);
}

TPaperDrops::TPaperDrops(QWidget *paper, QObject *parent) : QObject(parent), Paper(paper)
{
    Paper->setAcceptDrops(true);
    Paper->installEventFilter(this);
}

bool TPaperDrops::eventFilter(QObject *watched, QEvent *event)
{
    const QMimeData *mime = watched == Paper ? MimeOf(event) : nullptr;
    if (!mime)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    const DroppedFiles files = mime->hasUrls() ? SortDroppedFiles(mime->urls()) : DroppedFiles{};
    if (files.Empty()) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        // A work-state file replaces the arrangement; photos dropped with it
        // would be lost, so it alone is opened.
        const QPoint at = drop->position().toPoint();
        QTimer::singleShot(0, this, [this, files, at] {
            if (!files.workState.isEmpty()) {
                if (OpenWorkState)
                    OpenWorkState(files.workState);
            } else if (AddPhotos) {
                AddPhotos(files.photos, at);
            }
        });
    }
    return true;
}

} // namespace tamarie

// ---- The main window's side ------------------------------------------------

namespace tamarie {

void TForm1::SetUpFileDrops()
{
    PaperDrops = new TPaperDrops(Panel1, this);
    PaperDrops->AddPhotos = [this](const QStringList &photos, const QPoint &at) { DropPhotos(photos, at); };
    PaperDrops->OpenWorkState = [this](const QString &path) { OpenWorkStateAfterQuestion(path); };
}

void TForm1::DropPhotos(const QStringList &photos, const QPoint &paperPoint)
{
    // One step for the whole drop; a file that cannot be decoded is
    // reported and leaves no photo.
    Document d = Doc();
    int placed = 0;
    for (const QString &path : photos) {
        const PhotoProbe probe = ProbePhoto(path);
        if (!probe.Ok()) {
            dialogs::ShowMessage(probe.error, this);
            continue;
        }
        const PaperPlace place = PlaceOf(DroppedPhotoBounds(paperPoint, probe.size, placed++), d.paper.layoutSize);
        const DocumentPhoto photo{path, place, place, 0};
        d.selectedPhoto = AddPhoto(d, photo);
    }
    Edit(QStringLiteral("画像の追加"), d);
}

} // namespace tamarie
