#pragma once
// A photo layer on the paper: the view of one photo, named by its file and
// the user's quarter turns.  It shows a copy of the picture reduced by
// averaging to the size it is shown at, decoded off the user-interface
// thread (screen_copies.h); a plain placeholder until that copy is ready,
// and the last copy stretched while a new size settles.
#include <QImage>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "screen_copies.h"

namespace tamarie {

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);
    ~TImage() override;

    // The photo to show: its file (empty: none) and the user's rotation,
    // clockwise, on top of the file's own orientation.  The file's header
    // is read at once (PixelSize, Error); its pixels come later.
    void ShowPhoto(const QString &fileName, int quarterTurns = 0);
    const QString &FileName() const { return file_; }
    int QuarterTurns() const { return turns_; }
    // The photo's pixels, upright and turned; empty when none or unknown.
    QSize PixelSize() const { return pixels_; }
    // Why the photo cannot be shown; empty when nothing is wrong (so far).
    const QString &Error() const { return error_; }
    // The copy shown now; null while none is ready.
    const QImage &ScreenCopy() const { return copy_; }
    // True while the copy for the present size is being decoded.
    bool Loading() const { return !wanted_.fileName.isEmpty(); }
    // True while a new size waits to rest before its copy is asked for.
    bool Settling() const { return settle_.isActive(); }

    int Tag = 0;

signals:
    // A new copy is shown (the thumbnail follows it).
    void ScreenCopyChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize CopySizeFor(const QSize &shown) const;
    void AskForCopy();
    void Take(const CopyKey &key, const QImage &copy, const QString &error);
    void Drop();

    QString file_;
    int turns_ = 0;
    QSize pixels_;
    QString error_;
    QImage copy_;
    CopyKey shown_;   // what copy_ is
    CopyKey wanted_;  // asked for and not yet come
    QTimer settle_;   // a size being changed is decoded for once it rests
};

// The photos being decoded show a busy cursor over the windows that hold
// them, and failures found only while decoding are reported together.
void WatchPhotoLoading();

// Runs the event loop until every frame shows the copy for its size (what
// the screen-sized picture captures, and tests look at); false when msecs
// passed first.
bool WaitForScreenCopies(int msecs = 60000);

} // namespace tamarie
