#include "bevel_label.h"

#include <QPainter>

namespace tamarie {

namespace {

class PainterCanvas : public BevelCanvas {
public:
    PainterCanvas(QPainter &painter, const QRect &bounds) : painter_(painter), bounds_(bounds) {}
    void TextOut(int x, int y, const QColor &color, const QString &text) override
    {
        painter_.setPen(color);
        painter_.drawText(QRect(bounds_.left() + x, bounds_.top() + y, 1 << 20, 1 << 20),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }

private:
    QPainter &painter_;
    QRect bounds_;
};

} // namespace

QColor MixColors(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

QString BevelText(const QString &caption)
{
    QString text = caption;
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        text.remove(amp, 1);
    return text;
}

void PaintBevel(BevelCanvas &canvas, const BevelLook &look)
{
    const QString text = BevelText(look.caption);
    if (!look.enabled) {
        canvas.TextOut(0, 0, Qt::white, text);
        canvas.TextOut(-1, -1, look.grayText, text);
        return;
    }
    const QColor face = look.fontColor;
    const QColor light = look.colorBrend ? MixColors(face, look.highLight) : look.highLight;
    const QColor shadow = look.colorBrend ? MixColors(face, look.shadow) : look.shadow;
    const int w = int(look.width < 1 ? 1 : look.width);
    switch (look.type) {
    case btLeftTop:
        for (int i = w; i >= 1; --i)
            canvas.TextOut(-i, -i, shadow, text);
        canvas.TextOut(1, 1, light, text);
        break;
    case btRightBottom:
        canvas.TextOut(-1, -1, light, text);
        for (int i = 1; i <= w; ++i)
            canvas.TextOut(i, i, shadow, text);
        break;
    case btRightTop:
        for (int i = w; i >= 1; --i)
            canvas.TextOut(i, -i, shadow, text);
        canvas.TextOut(-1, 1, light, text);
        break;
    case btLeftBottom:
        canvas.TextOut(1, -1, light, text);
        for (int i = 1; i <= w; ++i)
            canvas.TextOut(-i, i, shadow, text);
        break;
    case btNone:
        break;
    }
    canvas.TextOut(0, 0, face, text);
}

TBevelLabel::TBevelLabel(QWidget *parent) : TBevelLabel(QString(), parent) {}

TBevelLabel::TBevelLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    resize(125, 26);
    QFont f = font();
    f.setBold(true);
    f.setPointSize(20);
    setFont(f);
    SetFontColor(QColor(0, 128, 128));  // teal
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TBevelLabel::SetHighLightColor(const QColor &color)
{
    if (color == FHighLight)
        return;
    FHighLight = color;
    update();
}

void TBevelLabel::SetShadowColor(const QColor &color)
{
    if (color == FShadow)
        return;
    FShadow = color;
    update();
}

void TBevelLabel::SetBevelType(TBevelType type)
{
    if (type == FBevelType)
        return;
    FBevelType = type;
    update();
}

void TBevelLabel::SetBevelWidth(std::uint32_t width)
{
    if (width == 0)
        width = 1;
    if (width == FBevelWidth)
        return;
    FBevelWidth = width;
    update();
}

void TBevelLabel::SetColorBrend(bool on)
{
    if (on == FColorBrend)
        return;
    FColorBrend = on;
    update();
}

QColor TBevelLabel::FontColor() const { return palette().color(QPalette::Active, QPalette::WindowText); }

void TBevelLabel::SetFontColor(const QColor &color)
{
    QPalette p = palette();
    // The disabled grey stays the system's.
    p.setColor(QPalette::Active, QPalette::WindowText, color);
    p.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(p);
}

BevelLook TBevelLabel::Look() const
{
    BevelLook look;
    look.caption = text();
    look.enabled = isEnabled();
    look.fontColor = FontColor();
    look.grayText = palette().color(QPalette::Disabled, QPalette::WindowText);
    look.highLight = FHighLight;
    look.shadow = FShadow;
    look.type = FBevelType;
    look.width = FBevelWidth;
    look.colorBrend = FColorBrend;
    return look;
}

void TBevelLabel::paintEvent(QPaintEvent *)
{
    // The background (when not transparent) is filled by the widget itself;
    // the plain caption would sit exactly under the face written last, so
    // only the layers are written.
    QPainter painter(this);
    painter.setFont(font());
    painter.setBrush(Qt::NoBrush);
    PainterCanvas canvas(painter, contentsRect());
    PaintBevel(canvas, Look());
}

} // namespace tamarie
