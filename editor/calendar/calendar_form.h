#pragma once
// A calendar window: a frameless top-level window holding the month title
// `Panel` and the month grid `Calendar`, which take the input while the
// window paints itself whole.  On a compositing desktop it is translucent
// pixel by pixel, its background at the backing's opacity.  Otherwise its
// background colour doubles as a colour key: pixels of that colour are cut
// out of the window's shape, so the backing window behind shows through and
// takes the clicks there.
#include "arrangement.h"
#include "arrangement_painter.h"
#include "month_grid.h"
#include "title_panel.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <functional>

namespace tamarie {

class TBackForm;

// A title drag starts once the cursor has left the 9 x 9 square centred on
// the press position (5 pixels on either axis).
constexpr int kDragThreshold = 5;
bool DragThresholdExceeded(const QPoint &MouseDownPos, const QPoint &Cursor);

// The title a new window shows: "yyyy年 M月".
QString FormatPanelDate(const QString &pattern, TDateValue date);

class TplCalendarForm : public QWidget {
public:
    // AOwner: the main window (the calendar stays above it); may be null.
    // Translucent: per-pixel alpha on a compositing desktop (no colour key).
    explicit TplCalendarForm(QWidget *AOwner = nullptr, bool Translucent = false);
    ~TplCalendarForm() override;

    TTitlePanel *Panel = nullptr;
    TplCalendarFormCalendar *Calendar = nullptr;
    TplCalendarFormCalendar *FplCalendar = nullptr; // the same grid as Calendar
    QPointer<QWidget> FhActivePrevForm;
    QString FPanelFormatDate;
    QPoint MouseDownPos; // screen coordinates of the last title press

    QString PanelFormatDate() const { return FPanelFormatDate; }

    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    // Window background colour, and the colour key (on by default, white).
    TColorValue Color() const { return FColor; }
    void SetColor(TColorValue Value);
    bool TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(bool Value);
    TColorValue TransparentColorValue() const { return FTransparentColorValue; }
    void SetTransparentColorValue(TColorValue Value);

    // The backing window that follows this window's moves; not owned.
    TBackForm *BackForm() const;
    void SetBackForm(TBackForm *Value);
    // While this returns true (start-up), moves leave the backing window alone.
    std::function<bool()> IsStarting;
    // Told of every move and resize of the window.
    std::function<void()> OnBoundsChanged;
    // Told of a title press before the window is activated by it.
    std::function<void()> OnTitlePress;

    bool Translucent() const { return FTranslucent; }
    // Paints the whole window onto the surface given, its top-left at the
    // origin.  Without it the window paints OwnLayer().
    std::function<void(QPainter &, CalendarSurface)> OnPaintWindow;
    // The calendar as far as the window and its widgets know it: no backing,
    // holidays in red, the bounds at (0, 0).
    CalendarLayer OwnLayer() const;
    // What the window shows of itself: for a translucent window its pixels
    // with their alpha, otherwise RenderImage().
    QImage WindowImage();

    // Title drag; the backing window's presses in the title area come here too.
    // X, Y are in the coordinates of the control pressed; the cursor's screen
    // position is what counts.
    void PanelMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::MouseButtons Shift, int X, int Y);
    void PanelMouseMove(QObject *Sender, Qt::MouseButtons Shift, int X, int Y);
    void PanelMouseUp(QObject *Sender, Qt::MouseButton Button, int X, int Y);
    bool Dragging() const { return FDragging; }
    // Counts the title presses: each drag is the moves after one press.
    int PressCount() const { return FPressCount; }

    // The window's own content, with the key colour left out (alpha 0); the
    // image has the window's client size.  Used by the capture.
    QImage RenderImage();
    void RenderTo(QPainter &Painter, const QPoint &TopLeft);

    // Recomputes the window shape from the rendered key colour.  Runs by
    // itself after repaints, moves of the children and colour changes.
    void UpdateKeyMask();
    QRegion KeyMask() const { return FKeyMask; }

protected:
    // Whether the window system takes the move over; by default it does not
    // and the window follows the pointer itself until release.
    virtual bool BeginWindowMove(const QPoint &Cursor);
    // The cursor's screen position (overridable for tests).
    virtual QPoint CursorPos() const;

    bool event(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ScheduleKeyMask();
    void CheckServerPosition(int Generation);
    // The calendar and, while the grid has the keyboard focus, its focus
    // rectangle.
    void PaintWindow(QPainter &Painter, CalendarSurface Surface);
    QImage RenderOpaque();

    bool FTranslucent = false;
    int FTag = 0;
    TColorValue FColor = clWhite;
    bool FTransparentColor = true;
    TColorValue FTransparentColorValue = clWhite;
    QPointer<TBackForm> FBackForm; // cleared if the backing window goes first
    bool FDragging = false;
    bool FPressed = false;  // a title press whose release has not come yet
    int FPressCount = 0;
    QPoint FDragOffset;
    bool FMaskPending = false;
    int FMoveGeneration = 0;  // counts the moves, the window system's and ours
    QRegion FKeyMask;
};

} // namespace tamarie
