#pragma once
// Files dropped on the paper: photo files become photos where they were
// dropped, a work-state file is opened.
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

namespace tamarie {

struct DroppedFiles {
    QStringList photos;  // in the order dropped
    QString workState;   // the first .ini among them; empty when none
    bool Empty() const { return photos.isEmpty() && workState.isEmpty(); }
};
// Only local regular files of the photo dialog's picture types, or .ini, count.
DroppedFiles SortDroppedFiles(const QList<QUrl> &urls);

// Bounds of the n-th dropped photo (0-based) of the given picture size: its
// proportions kept within the size of a new photo, centred on the drop point,
// later ones of the same drop a little lower and to the right.
QRect DroppedPhotoBounds(const QPoint &dropPoint, const QSize &picture, int n);

// Watches the paper's drag and drop events.  The callbacks run after the
// drop has been accepted (from the event loop), so the dragging program is
// not kept waiting by a question or a message.
class TPaperDrops : public QObject {
public:
    TPaperDrops(QWidget *paper, QObject *parent = nullptr);
    std::function<void(const QStringList &photos, const QPoint &paperPoint)> AddPhotos;
    std::function<void(const QString &workState)> OpenWorkState;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *Paper;
};

} // namespace tamarie
