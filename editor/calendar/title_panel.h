#pragma once
// The month title of a calendar window: a caption centred on its own
// background colour, which the window paints.  Mouse presses and moves go to
// the window's title drag through the hooks below.
#include "platform/values.h"

#include <QWidget>
#include <functional>

namespace tamarie {

class TTitlePanel : public QWidget {
public:
    explicit TTitlePanel(QWidget *parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    TColorValue Color() const { return FColor; }
    void SetColor(TColorValue Value);
    TColorValue FontColor() const { return FFontColor; }
    void SetFontColor(TColorValue Value);

    // (Sender, button pressed, buttons held, X, Y in panel coordinates)
    std::function<void(QObject *, Qt::MouseButton, Qt::MouseButtons, int, int)> OnMouseDown;
    // (Sender, buttons held, X, Y)
    std::function<void(QObject *, Qt::MouseButtons, int, int)> OnMouseMove;
    std::function<void(QObject *, Qt::MouseButton, int, int)> OnMouseUp;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString FCaption;
    TColorValue FColor = clMoneyGreen;
    TColorValue FFontColor = clBlack;
};

} // namespace tamarie
