#include "emblem.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace tamarie {

QImage TamarieEmblem(int side)
{
    if (side < 1)
        return {};
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 256.0, side / 256.0);  // drawn on a 256 grid

    // The leaf with a soft shadow.
    const QRectF leaf(28, 34, 200, 200);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(leaf.translated(5, 7), 26, 26);
    p.setBrush(QColor(255, 252, 244));
    p.drawRoundedRect(leaf, 26, 26);

    // Red header band.
    QPainterPath header;
    header.addRoundedRect(leaf, 26, 26);
    QPainterPath band;
    band.addRect(QRectF(leaf.left(), leaf.top(), leaf.width(), 52));
    QLinearGradient red(0, leaf.top(), 0, leaf.top() + 52);
    red.setColorAt(0, QColor(226, 60, 52));
    red.setColorAt(1, QColor(190, 30, 36));
    p.setBrush(red);
    p.drawPath(header.intersected(band));

    // Binder rings.
    for (int x : {78, 178}) {
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QPointF(x, leaf.top() + 18), 9, 9);
        p.setPen(QPen(QColor(70, 70, 80), 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, leaf.top() - 16), QPointF(x, leaf.top() + 16));
        p.setPen(Qt::NoPen);
    }

    // A little photograph: dusk sky, a moon, two hills.
    const QRectF photo(50, 100, 156, 70);
    QLinearGradient sky(0, photo.top(), 0, photo.bottom());
    sky.setColorAt(0, QColor(62, 86, 160));
    sky.setColorAt(1, QColor(246, 170, 96));
    p.setBrush(sky);
    p.drawRoundedRect(photo, 6, 6);
    p.save();
    p.setClipRect(photo);
    p.setBrush(QColor(255, 246, 200));
    p.drawEllipse(QPointF(170, 122), 11, 11);
    QPainterPath hills;
    hills.moveTo(photo.left(), photo.bottom());
    hills.cubicTo(80, 140, 110, 150, 130, 162);
    hills.cubicTo(150, 140, 185, 138, photo.right(), 156);
    hills.lineTo(photo.right(), photo.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(48, 70, 60));
    p.drawPath(hills);
    p.restore();

    // Day cells below the photograph; Sunday in red.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 7; ++col) {
            p.setBrush(col == 0 ? QColor(220, 50, 50) : (col == 6 ? QColor(60, 110, 200) : QColor(120, 120, 128)));
            p.drawRoundedRect(QRectF(54 + col * 21.5, 184 + row * 20, 13, 11), 2, 2);
        }
    p.end();
    return img;
}

} // namespace tamarie
