#pragma once
// The photo layers on the paper: adding, replacing, deleting, selecting,
// dragging and stacking the photo controls, with the thumbnail following the
// selection.  The list itself (photo_list.h) lives in the editor state of the
// main window; this class works on it, so the main window's handlers and the
// tests drive the same code.
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QSet>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

#include "photo_decoder.h"
#include "photo_list.h"

class QWidget;

namespace tamarie {

class TImage;

// The delete question: 画像"name"を削除しますか? with the file name without
// folder and extension (either kind of path separator).
QString DeletePhotoQuestion(const QString &fileName);

// A drag moves the photo only once the pointer is more than this many pixels
// away from the grabbed point on either axis; then by the whole offset.
constexpr int kPhotoDragThreshold = 5;
std::optional<QPoint> PhotoDragOffset(const QPoint &downPoint, const QPoint &pointer);

class TPhotoLayers : public QObject {
public:
    TPhotoLayers(QWidget *paper, TPhotoList &photos, QPoint &mouseDownPoint, QObject *parent = nullptr);

    // Where the layers report to.  All optional.
    std::function<void(const QImage &)> ShowThumbnail;  // a null image clears it
    std::function<void()> FocusSettings;                  // a click on a photo focuses the settings pages
    std::function<void(TImage *, const QPoint &)> OpenPopup;  // right click: the popup at a screen point
    QWidget *DialogParent = nullptr;

    // Routes a photo control's mouse events here (the first photo is made elsewhere).
    void Attach(TImage *photo);

    // A new empty photo at (0, 0), 200 x 150, in front of the others, selected.
    // The thumbnail is left as it is.  Returns its index.
    int Add();
    // Shows path in the selected photo, at its proportions within the photo's
    // frame, centred.  When its header says it cannot be decoded, the
    // decoder's message is shown and the photo keeps its picture and name.
    // False when nothing was replaced.
    bool Replace(const QString &path);
    // Removes the selected photo: the later ones move down one index (picture,
    // bounds, name), the last control is released, photo 0 becomes selected.
    void Delete();
    // Makes index the selection and shows its picture as the thumbnail.
    void Select(int index);
    // Stacking of the selected photo among the photos of the paper.
    void BringToFront();
    void SendToBack();
    // The selected photo turned by quarter turns (clockwise positive), its
    // frame turned about its centre; or its frame's height made from its
    // width and the picture's proportions.
    void TurnSelected(int quarterTurns);
    void RestoreProportions();

    // The shared photo event handlers (Image1Click, Image1MouseDown, Image1MouseMove).
    void Image1Click(TImage *sender);
    void Image1MouseDown(TImage *sender, Qt::MouseButton button, const QPoint &pos);
    void Image1MouseMove(TImage *sender, Qt::MouseButtons buttons, const QPoint &pos);

    TImage *Selected() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateThumbnail();
    int IndexOf(const TImage *photo) const;

    QWidget *Paper;
    TPhotoList &F;
    QPoint &MouseDownPoint;  // Image1MouseDownPoint of the editor
    TImage *Pressed = nullptr;  // the photo the left button went down on, for the click
    QSet<const TImage *> Attached;
};

} // namespace tamarie
