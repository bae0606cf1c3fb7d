#include "title_panel.h"

#include "month_grid.h"

#include <QMouseEvent>
#include <QPainter>

namespace tamarie {

TTitlePanel::TTitlePanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void TTitlePanel::PaintPanel(QPainter &Canvas)
{
    const QRect r(0, 0, width(), height());
    Canvas.fillRect(r, ResolveColorValue(FColor));
    if (FCaption.isEmpty())
        return;
    Canvas.save();
    Canvas.setFont(font());
    Canvas.setPen(ResolveColorValue(FFontColor));
    Canvas.setClipRect(r);
    Canvas.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, FCaption);
    Canvas.restore();
}

void TTitlePanel::SetPaintedByWindow(bool Value)
{
    FPaintedByWindow = Value;
    setAttribute(Qt::WA_OpaquePaintEvent, !Value);
    update();
}

void TTitlePanel::paintEvent(QPaintEvent *)
{
    if (FPaintedByWindow)
        return;
    QPainter p(this);
    PaintPanel(p);
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
