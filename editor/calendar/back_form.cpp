#include "back_form.h"

#include "calendar_form.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tamarie {

namespace {
constexpr int kDesignWidth = 435;
constexpr int kDesignHeight = 297;
} // namespace

bool InTitleArea(const QSize &PanelSize, int X, int Y)
{
    return X >= 0 && Y >= 0 && X < PanelSize.width() && Y < PanelSize.height();
}

TBackForm::TBackForm(QWidget *AOwner) : QWidget(AOwner, Qt::Tool | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDesignWidth, kDesignHeight);
    SetAlphaBlendValue(255);
}

TplCalendarForm *TBackForm::CalForm() const
{
    return FCalForm.data();
}

void TBackForm::SetCalForm(TplCalendarForm *Value)
{
    FCalForm = Value;
}

void TBackForm::SetColor(TColorValue Value)
{
    FColor = Value;
    update();
    if (FPartOfCalendar && FCalForm)
        FCalForm->update();
}

void TBackForm::SetAlphaBlendValue(int Value)
{
    FAlphaBlendValue = std::clamp(Value, 0, 255);
    if (FPartOfCalendar) {
        if (FCalForm)
            FCalForm->update();
        return;
    }
    // Per-window opacity: the compositor blends the whole window.
    setWindowOpacity(FAlphaBlendValue / 255.0);
}

void TBackForm::SetPartOfCalendar(bool Value)
{
    FPartOfCalendar = Value;
    if (Value)
        setWindowOpacity(1.0);
}

bool TBackForm::Shown() const
{
    return FPartOfCalendar ? FShownInCalendar : isVisible();
}

void TBackForm::setVisible(bool visible)
{
    if (!FPartOfCalendar) {
        QWidget::setVisible(visible);
        return;
    }
    FShownInCalendar = visible;
    if (FCalForm)
        FCalForm->update();
}

void TBackForm::FormActivate(QObject *)
{
    StackBehindCalendar();
}

void TBackForm::StackBehindCalendar()
{
    // Top-level windows cannot be stacked under one another directly; raising
    // this window and then its calendar leaves this one right behind it.
    if (FPartOfCalendar || !FCalForm || !FCalForm->isVisible() || !isVisible())
        return;
    raise();
    FCalForm->raise();
}

void TBackForm::FollowCalendar()
{
    if (!FCalForm || (FCalForm->IsStarting && FCalForm->IsStarting()))
        return;
    if (geometry() != FCalForm->geometry())
        setGeometry(FCalForm->geometry());
}

void TBackForm::ScheduleFollow()
{
    if (FFollowPending || !FCalForm || !FCalForm->isVisible() || !isVisible())
        return;
    if (geometry() == FCalForm->geometry())
        return;
    FFollowPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FFollowPending = false;
            if (FCalForm && FCalForm->isVisible() && isVisible())
                FollowCalendar();
        },
        Qt::QueuedConnection);
}

void TBackForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    ScheduleFollow();
}

void TBackForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ScheduleFollow();
}

void TBackForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ScheduleFollow();
}

void TBackForm::RenderTo(QPainter &Painter, const QPoint &TopLeft) const
{
    Painter.save();
    Painter.setOpacity(Painter.opacity() * FAlphaBlendValue / 255.0);
    Painter.fillRect(QRect(TopLeft, size()), ValueToColor(FColor));
    Painter.restore();
}

bool TBackForm::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate(this);
    return result;
}

void TBackForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), ValueToColor(FColor));
}

void TBackForm::mousePressEvent(QMouseEvent *event)
{
    // A window manager raises the window clicked: the calendar goes back on top.
    StackBehindCalendar();
    const QPoint p = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->buttons(), p.x(), p.y());
    else if (FCalForm && InTitleArea(FCalForm->Panel->size(), p.x(), p.y()))
        FCalForm->PanelMouseDown(this, event->button(), event->buttons(), p.x(), p.y());
}

void TBackForm::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->buttons(), p.x(), p.y());
    else if (FCalForm && (FCalForm->Dragging() || InTitleArea(FCalForm->Panel->size(), p.x(), p.y())))
        FCalForm->PanelMouseMove(this, event->buttons(), p.x(), p.y());
}

void TBackForm::mouseReleaseEvent(QMouseEvent *event)
{
    // Ends a drag that follows the pointer, wherever it was started.
    if (FCalForm) {
        const QPoint p = event->position().toPoint();
        FCalForm->PanelMouseUp(this, event->button(), p.x(), p.y());
    }
}

void TBackForm::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    if (OnDblClick)
        OnDblClick(this);
    StackBehindCalendar();
}

} // namespace tamarie
