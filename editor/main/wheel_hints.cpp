// The two application-wide hooks: the mouse wheel resizes the calendar whose
// title was clicked or the selected photo, and the hint over a calendar or a
// photo reads out its size and position.  Also the resize watch of the main
// window, which lays the paper out once a resize has settled.
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include "back_form.h"
#include "calendar_form.h"
#include "hint_texts.h"
#include "input_state.h"
#include "paper_layout.h"
#include "photo_image.h"
#include "document_edits.h"
#include "print_resolution.h"
#include "tform1.h"
#include "wheel_steps.h"

namespace tamarie {

namespace {

// The paper is laid out once the window has kept its size this long, so
// dragging the border lays out once at the end, not for every size between.
constexpr int kResizeSettleMs = 150;

// Sees every event of the application.  Anything but a wheel turn, a hint or
// a size change of the main window passes with one switch.
class TApplicationEvents : public QObject {
public:
    explicit TApplicationEvents(TForm1 *form) : QObject(form), Form(form) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Wheel:
            // The window-level delivery is the one taken from the queue; the
            // deliveries to widgets that follow are the same turn.
            if (watched->isWindowType()) {
                bool handled = false;
                Form->ApplicationEvents1Message(watched, event, handled);
            }
            return false;
        case QEvent::ToolTip:
            return ShowHint(watched, static_cast<QHelpEvent *>(event));
        case QEvent::Resize:
            if (watched != Form)
                return false;
            if (Form->IsStart)  // the first showing lays out this size itself
                Form->LaidOutClientSize = QSize(Form->ClientWidth(), Form->ClientHeight());
            else if (!Form->IsLoadingFile && Form->ResizeTimer)
                Form->ResizeTimer->start(kResizeSettleMs);
            return false;
        case QEvent::WindowStateChange:
            // Minimising, and the first resize after restoring, change nothing.
            if (watched == Form && (Form->isMinimized() || Form->IsMinimized))
                Form->FormResize();
            return false;
        default:
            return false;
        }
    }

private:
    bool ShowHint(QObject *watched, QHelpEvent *event)
    {
        auto *control = qobject_cast<QWidget *>(watched);
        if (!control)
            return false;
        QString hint = control->toolTip();
        const QString before = hint;
        bool canShow = true;
        Form->ApplicationEvents1ShowHint(hint, canShow, control);
        if (hint == before)
            return false;
        if (canShow)
            QToolTip::showText(event->globalPos(), QString(hint).replace(QChar(u'\r'), QChar(u'\n')), control);
        return true;
    }

    TForm1 *Form;
};

} // namespace

void TForm1::SetUpPhotosLayoutAndHooks()
{
    ResizeTimer = new QTimer(this);
    ResizeTimer->setSingleShot(true);
    connect(ResizeTimer, &QTimer::timeout, this, [this] {
        // A settled size that is the one already laid out needs nothing.
        if (QSize(ClientWidth(), ClientHeight()) != LaidOutClientSize)
            FormResize();
    });
    // The paper and the settings panel never shrink to nothing.
    setMinimumSize(kMinClientWidth, kMinClientHeight + menuBar()->sizeHint().height());

    input::Install();
    WatchPhotoLoading();
    ApplicationEvents1 = new TApplicationEvents(this);
    qApp->installEventFilter(ApplicationEvents1);
}

void TForm1::ApplicationEvents1Message(QObject *Window, QEvent *Msg, bool &Handled)
{
    Q_UNUSED(Window);
    Q_UNUSED(Handled);  // the wheel message always goes on to its window
    if (Msg->type() != QEvent::Wheel)
        return;
    MouseWheelStep(static_cast<QWheelEvent *>(Msg)->angleDelta().y());
}

void TForm1::MouseWheelStep(int Distance)
{
    // The target: a calendar whose focused title lies under the pointer ...
    const QPoint cursor = input::CursorPos();
    int target = 0;
    for (int n = 1; n <= CalendarCount() && n <= kMaxCalendars; ++n) {
        TplCalendarForm *cal = CalForm[n];
        if (!cal || !input::HasFocus(cal->Panel))
            continue;
        const QPoint p = cal->mapFromGlobal(cursor);
        const QRect r = cal->Panel->geometry();
        if (p.x() >= r.left() && p.x() < r.left() + r.width() && p.y() >= r.top() && p.y() < r.top() + r.height()) {
            target = n;
            break;
        }
    }
    // ... else the selected photo under the pointer while the settings pages
    // have the focus.
    const int photo = SelectedImgPictureNo();
    if (target == 0) {
        if (photo < 0 || photo >= ImgPicture.size())
            return;
        const TImage *control = ImgPicture[photo];
        const QRect r(control->mapToGlobal(QPoint(0, 0)), control->size());
        if (!r.contains(cursor) || !input::HasFocus(PageControl1))
            return;
    }

    const WheelDirection direction = WheelDirectionOf(Distance);
    if (direction == WheelDirection::None)
        return;
    const WheelKeys keys{input::KeyHeld(Qt::Key_X), input::KeyHeld(Qt::Key_Y)};
    // Notches on one target in a row are one step.
    Document d = Doc();
    if (target == 0) {
        WheelStepPhoto(d, photo, direction, keys);
        Edit(QStringLiteral("画像のサイズ変更"), d, {kMergePhotoWheel, quint64(photo), kWheelMergeMs});
    } else {
        WheelStepCalendar(d, target, direction, keys);
        Edit(QStringLiteral("カレンダーのサイズ変更"), d, {kMergeCalendarWheel, quint64(target), kWheelMergeMs});
    }
}

void TForm1::ApplicationEvents1ShowHint(QString &HintStr, bool &CanShow, QWidget *HintControl)
{
    Q_UNUSED(CanShow);
    if (!HintControl)
        return;
    for (int n = 1; n <= CalendarCount() && n <= kMaxCalendars; ++n) {
        TplCalendarForm *cal = CalForm[n];
        if (!cal)
            continue;
        if (HintControl == cal->Calendar || HintControl == cal->Panel ||
            (ABackForm[n] && HintControl == ABackForm[n])) {
            const QSize size = StoredCalendarSize(Doc(), n);
            const QPoint at = ScrollBox->viewport()->mapFromGlobal(cal->pos());
            HintStr = CalendarHintText(n, size.width(), size.height(), at.x(), at.y());
            break;
        }
    }
    for (int i = 0; i < ImgPicture.size(); ++i) {
        if (HintControl == ImgPicture[i]) {
            const QSize size = StoredPhotoSize(Doc(), i);
            const QSize pixels = ImgPicture[i]->PixelSize();
            HintStr = PhotoHintText(size.width(), size.height(), ImgPicture[i]->x(), ImgPicture[i]->y()) +
                      PrintResolutionHint(pixels, PrintedDpi(pixels, size, PaperSize(), Doc().paper.orientation == 1));
        }
    }
}

} // namespace tamarie
