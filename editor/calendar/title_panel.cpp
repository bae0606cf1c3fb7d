#include "title_panel.h"

#include <QMouseEvent>

namespace tamarie {

TTitlePanel::TTitlePanel(QWidget *parent) : QWidget(parent)
{
    // Focus on the title marks the calendar as the target of wheel resizing.
    setFocusPolicy(Qt::ClickFocus);
}

void TTitlePanel::SetCaption(const QString &Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    update();
}

void TTitlePanel::SetColor(TColorValue Value)
{
    FColor = Value;
    update();
}

void TTitlePanel::SetFontColor(TColorValue Value)
{
    FFontColor = Value;
    update();
}

void TTitlePanel::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->buttons(), p.x(), p.y());
}

void TTitlePanel::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->buttons(), p.x(), p.y());
}

void TTitlePanel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(this, event->button(), p.x(), p.y());
}

} // namespace tamarie
