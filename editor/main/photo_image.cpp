#include "photo_image.h"

#include <QPainter>

namespace tamarie {

TImage::TImage(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent, false); }

void TImage::SetPicture(const QImage &picture)
{
    Image = picture;
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (Image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), Image);
}

} // namespace tamarie
