#pragma once
// The backing window behind a calendar window: a frameless top-level window
// filled with the calendar's background colour at partial opacity.  Clicks on
// the calendar's keyed-out pixels land here and are passed on.
#include "platform/values.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace tamarie {

class TplCalendarForm;

// Whether (X, Y) lies in the title area (0, 0, width, height), right and
// bottom edges excluded.
bool InTitleArea(const QSize &PanelSize, int X, int Y);

class TBackForm : public QWidget {
public:
    explicit TBackForm(QWidget *AOwner = nullptr);

    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    TColorValue Color() const { return FColor; }
    void SetColor(TColorValue Value);
    // Opacity 0..255 (clamped); 255 is opaque.
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int Value);

    // The calendar window this one lies behind; not owned.
    TplCalendarForm *CalForm() const;
    void SetCalForm(TplCalendarForm *Value);

    // Mouse events; when OnMouseDown / OnMouseMove are empty, presses and
    // moves in the calendar's title area go straight to its title drag.
    std::function<void(QObject *, Qt::MouseButton, Qt::MouseButtons, int, int)> OnMouseDown;
    std::function<void(QObject *, Qt::MouseButtons, int, int)> OnMouseMove;
    std::function<void(QObject *)> OnDblClick;

    // Activation puts the window directly behind its calendar window.
    void FormActivate(QObject *Sender);
    void StackBehindCalendar();
    // Takes the calendar's place and size, unless the calendar is starting up.
    // Runs by itself when anything (a window manager placing a new window,
    // say) puts this window elsewhere.
    void FollowCalendar();

    // The window as the user sees it over the paper: its colour at its opacity.
    void RenderTo(QPainter &Painter, const QPoint &TopLeft) const;

    // Part of a translucent calendar window: then this window is never shown
    // on its own; its calendar paints the background in its colour and
    // opacity, and takes its presses and double clicks directly.
    void SetPartOfCalendar(bool Value);
    bool PartOfCalendar() const { return FPartOfCalendar; }
    // Shown as the user sees it: shown itself, or (as part of its calendar)
    // shown and not hidden since.
    bool Shown() const;
    void setVisible(bool visible) override;

protected:
    bool event(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void ScheduleFollow();

    bool FFollowPending = false;
    bool FPartOfCalendar = false;
    bool FShownInCalendar = false;
    int FTag = 0;
    TColorValue FColor = clWhite;
    int FAlphaBlendValue = 255;
    QPointer<TplCalendarForm> FCalForm; // cleared if the calendar goes first
};

} // namespace tamarie
